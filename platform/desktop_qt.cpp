#include "platform/desktop_qt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
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
    return Chosen(dialog->selectedFiles().value(0));
}

void QtDesktop::Start_process(const std::wstring& commandLine) {
    brelvik::Start_process(commandLine);
}

}  // namespace brelvik
