#pragma once

#include "SettingsStore.h"

#include <map>
#include <vector>

// A settings store in memory that records its writes in order; it can hold values
// of any kind, refuse to open, or fail the write of one name.
struct FakeSettingsStore : SettingsStore
{
    bool open(Open) override { return openable; }
    Value read(const QString &name) override
    {
        const auto value = values.find(name);
        return value == values.end() ? Value{} : value->second;
    }
    bool write(const QString &name, const QString &text) override
    {
        if (name == failingWrite)
            return false;
        written.emplace_back(name, text);
        values[name] = {Value::Text, text};
        return true;
    }

    bool openable = true;
    QString failingWrite;
    std::map<QString, Value> values;
    std::vector<std::pair<QString, QString>> written;
};
