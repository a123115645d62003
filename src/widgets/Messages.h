#pragma once
// Message boxes with an OK button. Tests replace the box with a sink that records texts.
#include <QString>
#include <functional>

class QWidget;

void ShowMessage(const QString &text);
// With a sink installed, ShowMessage hands the text to it instead of opening a box.
void SetMessageSink(std::function<void(const QString &)> sink);

class QDialog;
// Runs a modal dialog, wide enough for its caption, and returns its result. Tests install
// a runner that sets the controls and answers at once.
int ExecDialog(QDialog *dialog);
void SetDialogRunner(std::function<int(QDialog *)> runner);
// The width a window needs for the desktop to show its caption in full, and making it so.
int CaptionWidth(const QWidget *window);
void FitCaption(QWidget *window);

class QLabel;
// Ties a field to its label: the label's mnemonic leads to it, and the label's text, without
// the mnemonic mark, is its accessible name (what screen readers and GUI checks find).
void NameAfter(QLabel *label, QWidget *field);

class QFileDialog;
// A file dialog of our own look (not the desktop's) with the filter written as
// "description|pattern;pattern|description|pattern..."; a save dialog does not ask before
// overwriting and adds the default extension to a bare name. Run it with ExecDialog.
QFileDialog *MakeFileDialog(QWidget *parent, const QString &title, const QString &filter, bool save,
                            const QString &defaultSuffix);
// The file a save dialog was accepted with: a bare name gets the extension of the chosen
// filter ("*.txt" gives ".txt"), or the default extension under a filter such as "*.*".
QString ChosenSaveFile(QFileDialog *dialog);

