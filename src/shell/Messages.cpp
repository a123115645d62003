#include "shell/Messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace {
std::function<void(const QString &)> &Sink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}
} // namespace

void SetMessageSink(std::function<void(const QString &)> sink)
{
    Sink() = std::move(sink);
}

void ShowMessage(const QString &text)
{
    if (Sink()) {
        Sink()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Grizal 2"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

namespace {
std::function<int(QDialog *)> &Runner()
{
    static std::function<int(QDialog *)> runner;
    return runner;
}
} // namespace

void SetDialogRunner(std::function<int(QDialog *)> runner)
{
    Runner() = std::move(runner);
}

int ExecDialog(QDialog *dialog)
{
    if (Runner())
        return Runner()(dialog);
    return dialog->exec();
}
