#include "FileDialog.h"

namespace {

// Qt's form of a filter: "description (pattern)", or the description alone when
// it already shows its pattern that way.
QString nameFilter(const char *filter)
{
    const QString text = QString::fromUtf8(filter);
    const QString description = text.section(QLatin1Char('|'), 0, 0);
    const QString pattern = text.section(QLatin1Char('|'), 1);
    if (pattern.isEmpty() || description.endsWith(QStringLiteral("(%1)").arg(pattern)))
        return description;
    return QStringLiteral("%1 (%2)").arg(description, pattern);
}

} // namespace

FileDialog::Answerer FileDialog::s_answerer;

QString FileDialog::getFileName(QWidget *parent, const Design &design)
{
    if (s_answerer)
        return s_answerer(design);
    // A dialog object rather than the static helpers: only an object appends the
    // default suffix to a bare name. No title and no folder: the platform's apply.
    QFileDialog dialog(parent);
    dialog.setObjectName(QString::fromLatin1(design.name));
    dialog.setAcceptMode(design.mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(nameFilter(design.filter));
    dialog.setDefaultSuffix(QString::fromLatin1(design.defaultSuffix));
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileDialog::setAnswerer(Answerer answerer)
{
    s_answerer = std::move(answerer);
}
