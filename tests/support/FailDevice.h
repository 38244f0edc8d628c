#pragma once

#include <QBuffer>

// A buffer that passes only its first `limit` bytes, then fails every read and
// write: a full disk or a broken medium. Open it before use.
class FailDevice : public QBuffer
{
public:
    explicit FailDevice(qint64 limit, const QByteArray &content = {});

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 allowed(qint64 size) const;

    QByteArray m_content;
    qint64 m_limit;
    qint64 m_passed = 0;
};
