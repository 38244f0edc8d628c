#include "FailDevice.h"

#include <algorithm>

FailDevice::FailDevice(qint64 limit, const QByteArray &content) : m_content(content), m_limit(limit)
{
    setBuffer(&m_content);
}

qint64 FailDevice::allowed(qint64 size) const
{
    return std::min(size, m_limit - m_passed);
}

qint64 FailDevice::readData(char *data, qint64 maxSize)
{
    if (m_passed >= m_limit)
        return m_passed >= m_content.size() ? 0 : -1;
    const qint64 read = QBuffer::readData(data, allowed(maxSize));
    m_passed += std::max<qint64>(read, 0);
    return read;
}

qint64 FailDevice::writeData(const char *data, qint64 size)
{
    if (m_passed >= m_limit)
        return -1;
    const qint64 written = QBuffer::writeData(data, allowed(size));
    m_passed += std::max<qint64>(written, 0);
    return written;
}
