#pragma once

#include <QString>

// Where the window keeps its settings: one key holding named text values. The
// window opens it, then reads or writes values by name.
class SettingsStore
{
public:
    enum class Open
    {
        Existing, // only a store that is already there
        Create,   // made when missing
    };

    struct Value
    {
        enum Kind
        {
            Missing,
            Text,
            NotText, // a value of another type
        };
        Kind kind = Missing;
        QString text;
    };

    virtual ~SettingsStore() = default;

    // Opens the store with full access, to read and to write. False when it is
    // missing (with Open::Existing) or cannot be opened so; every read then finds
    // nothing and every write fails.
    virtual bool open(Open mode) = 0;
    virtual Value read(const QString &name) = 0;
    // Replaces the value by a text value, whatever type it had; false when the
    // text could not be stored.
    virtual bool write(const QString &name, const QString &text) = 0;
};
