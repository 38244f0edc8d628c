#pragma once

#include "Application.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "QtSettingsStore.h"
#include "RecordingSoundOutput.h"
#include "ScriptedPump.h"
#include "TForm1.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A main window on a recording sound output, a scripted pump and a settings file
// of its own (or the given store); every message box is recorded and answered by
// `answer`, every file dialog recorded and answered by `chosenFile` (empty: cancelled).
struct FormFixture
{
    explicit FormFixture(const std::function<void(QSettings &)> &storeSettings = {}, SettingsStore *store = nullptr)
    {
        setUpApplication();
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("morvil.ini")), QSettings::IniFormat);
        if (storeSettings) {
            settings->beginGroup(QStringLiteral("MorvilAyar"));
            storeSettings(*settings);
            settings->endGroup();
            settings->sync();
        }
        fileStore = std::make_unique<QtSettingsStore>(settings->fileName());
        MessageBox::setAnswerer([this](const MessageBox::Shown &shown) {
            boxes.push_back(shown);
            return answer;
        });
        FileDialog::setAnswerer([this](const FileDialog::Design &design) {
            fileDialogs.push_back(design);
            return chosenFile;
        });
        form = std::make_unique<TForm1>(sound, pump, store ? *store : *fileStore);
    }

    ~FormFixture()
    {
        MessageBox::setAnswerer({});
        FileDialog::setAnswerer({});
    }

    template <typename T> T *child(const char *name) const { return form->findChild<T *>(QString::fromLatin1(name)); }

    // The notes sounded so far, in order.
    std::vector<int> playedNotes() const
    {
        std::vector<int> notes;
        for (const auto &pcm : sound.played()) {
            for (int note = 0; note < NoteCount; ++note) {
                if (form->sampleBank().pcm(note).data() == pcm.data())
                    notes.push_back(note);
            }
        }
        return notes;
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<QtSettingsStore> fileStore;
    RecordingSoundOutput sound;
    ScriptedPump pump;
    std::vector<MessageBox::Shown> boxes;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::vector<FileDialog::Design> fileDialogs;
    QString chosenFile;
    std::unique_ptr<TForm1> form;
};
