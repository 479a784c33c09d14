#include "platform/desktop_qt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/process.h"

namespace brelvik {
namespace {

std::wstring Chosen(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

}  // namespace

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
    return Chosen(QFileDialog::getOpenFileName(window_, QString(), QString::fromStdWString(folder),
                                               Qt_filter(filter)));
}

std::wstring QtDesktop::Save_file_dialog(const std::wstring& folder, const std::wstring& filter) {
    return Chosen(QFileDialog::getSaveFileName(window_, QString(), QString::fromStdWString(folder),
                                               Qt_filter(filter)));
}

void QtDesktop::Start_process(const std::wstring& commandLine) {
    brelvik::Start_process(commandLine);
}

}  // namespace brelvik
