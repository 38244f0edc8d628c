#include "NoteTable.h"

const std::array<Note, NoteCount> Notes = {{
    {0, "00", "DO", NoteRow::Normal, "N0", "N0N"},
    {1, "01", "RE", NoteRow::Normal, "N1", "N1N"},
    {2, "02", "Mİ", NoteRow::Normal, "N2", "N2N"},
    {3, "03", "FA", NoteRow::Normal, "N3", "N3N"},
    {4, "04", "SOL", NoteRow::Normal, "N4", "N4N"},
    {5, "05", "LA", NoteRow::Normal, "N5", "N5N"},
    {6, "06", "Sİ", NoteRow::Normal, "N6", "N6N"},
    {7, "07", "DO", NoteRow::Normal, "N7", "N7N"},
    {8, "08", "#", NoteRow::Normal, "N8", "N8N"},
    {9, "09", "DO", NoteRow::Fast, "N9", "N0I"},
    {10, "10", "RE", NoteRow::Fast, "N10", "N1I"},
    {11, "11", "Mİ", NoteRow::Fast, "N11", "N2I"},
    {12, "12", "FA", NoteRow::Fast, "N12", "N3I"},
    {13, "13", "SOL", NoteRow::Fast, "N13", "N4I"},
    {14, "14", "LA", NoteRow::Fast, "N14", "N5I"},
    {15, "15", "Sİ", NoteRow::Fast, "N15", "N6I"},
    {16, "16", "DO", NoteRow::Fast, "N16", "N7I"},
    {17, "17", "#", NoteRow::Fast, "N17", "N8I"},
}};

bool isNoteIndex(int index)
{
    return index >= 0 && index < NoteCount;
}

QString noteText(int index)
{
    return QString::fromLatin1(Notes.at(index).nn);
}

QString noteName(int index)
{
    return QString::fromUtf8(Notes.at(index).name);
}

QString noteDisplayLine(int index)
{
    return noteName(index) + QStringLiteral(" (") + noteText(index) + QLatin1Char(')');
}
