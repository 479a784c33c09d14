#include "app/qt/desktop_qt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "platform/codepage.h"
#include "platform/process.h"

namespace brelvik {
namespace {

// The name in folder that Qt shows as part, when exactly one does.
std::optional<std::string> Named_like(const std::filesystem::path& folder, const QString& part) {
    std::optional<std::string> found;
    int matches = 0;
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (QFile::decodeName(QByteArray::fromStdString(name)) == part) {
            found = name;
            ++matches;
        }
    }
    return matches == 1 ? found : std::nullopt;
}

}  // namespace

std::wstring Chosen_path(const QString& shown) {
    if (!shown.contains(QChar::ReplacementCharacter)) {
        return QDir::toNativeSeparators(shown).toStdWString();
    }
    std::filesystem::path path = shown.startsWith(u'/') ? "/" : "";
    for (const QString& part : shown.split(u'/', Qt::SkipEmptyParts)) {
        std::optional<std::string> name;
        if (part.contains(QChar::ReplacementCharacter)) {
            name = Named_like(path, part);
        }
        path /= name.value_or(QFile::encodeName(part).toStdString());
    }
    return Path_text(path);
}

QString Qt_filter(const std::wstring& filter) {
    const QStringList parts = QString::fromStdWString(filter).split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString description = parts[i];
        description.remove(QStringLiteral("(") + parts[i + 1] + QStringLiteral(")"));
        entries.append(description.trimmed() + QStringLiteral(" (") + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

void QtDesktop::Show_message(const std::wstring& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QString::fromStdWString(text), QMessageBox::Ok, window_);
    box.exec();
}

std::wstring QtDesktop::Open_file_dialog(const std::wstring& folder, const std::wstring& filter) {
    return Chosen_path(QFileDialog::getOpenFileName(
        window_, QString(), QString::fromStdWString(folder), Qt_filter(filter)));
}

std::unique_ptr<QFileDialog> Make_save_dialog(QWidget* parent, const std::wstring& folder,
                                              const std::wstring& filter) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), QString::fromStdWString(folder),
                                                Qt_filter(filter));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    const QStringList parts = QString::fromStdWString(filter).split(u'|');
    static const QRegularExpression single(QStringLiteral(R"(^\*\.([^*?;.]+)$)"));
    if (const auto match = single.match(parts.value(1)); match.hasMatch()) {
        dialog->setDefaultSuffix(match.captured(1));
    }
    return dialog;
}

std::wstring QtDesktop::Save_file_dialog(const std::wstring& folder, const std::wstring& filter) {
    const auto dialog = Make_save_dialog(window_, folder, filter);
    if (dialog->exec() != QDialog::Accepted) {
        return {};
    }
    return Chosen_path(dialog->selectedFiles().value(0));
}

void QtDesktop::Start_process(const std::wstring& commandLine) {
    brelvik::Start_process(commandLine);
}

}  // namespace brelvik
