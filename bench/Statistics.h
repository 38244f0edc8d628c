#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// The figures the benchmarks print of a set of measurements, by nearest rank.
struct Spread
{
    double median = NAN;
    double p5 = NAN;
    double p95 = NAN;
    double max = NAN;

    static Spread of(std::vector<double> values)
    {
        if (values.empty())
            return {};
        std::ranges::sort(values);
        const auto rank = [&values](double fraction) {
            const auto index = std::size_t(std::ceil(fraction * double(values.size())));
            return values[std::max<std::size_t>(index, 1) - 1];
        };
        return {rank(0.5), rank(0.05), rank(0.95), values.back()};
    }

    // Of the sizes of the values, whatever their sign.
    static Spread ofAbsolute(std::vector<double> values)
    {
        for (double &value : values)
            value = std::abs(value);
        return of(std::move(values));
    }
};

// The machine's load average over the last minute: other work beside a benchmark.
inline double loadAverage()
{
    double load = NAN;
    if (FILE *file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = NAN;
        std::fclose(file);
    }
    return load;
}
