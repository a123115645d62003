#pragma once
// Message boxes with an OK button. Tests replace the box with a sink that records texts.
#include <QString>
#include <functional>

class QWidget;

void ShowMessage(const QString &text);
// With a sink installed, ShowMessage hands the text to it instead of opening a box.
void SetMessageSink(std::function<void(const QString &)> sink);

class QDialog;
// Runs a modal dialog and returns its result. Tests install a runner that sets the
// controls and answers at once.
int ExecDialog(QDialog *dialog);
void SetDialogRunner(std::function<int(QDialog *)> runner);
