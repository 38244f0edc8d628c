#pragma once

#include <QFileDialog>
#include <QString>

#include <functional>

class QWidget;

// Every file dialog of the program goes through here, so tests can see which
// dialog was asked for and give the file name.
class FileDialog
{
public:
    // A dialog as the window designs it: its name, whether it opens or saves, a
    // filter "description|pattern" and the extension a bare name gets.
    struct Design
    {
        const char *name;
        QFileDialog::AcceptMode mode;
        const char *filter; // UTF-8
        const char *defaultSuffix;
    };
    using Answerer = std::function<QString(const Design &)>;

    // Shows the dialog modally with an empty file name and returns the chosen
    // path, empty when cancelled. A save dialog asks before replacing a file.
    static QString getFileName(QWidget *parent, const Design &design);

    // Replaces the modal dialog by answerer until reset with an empty function.
    static void setAnswerer(Answerer answerer);

private:
    static Answerer s_answerer;
};
