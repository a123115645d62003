#pragma once
// Shared pieces of grizal2-cli's commands.
#include "analysis/Bootstrap.h"
#include "base/I18n.h"
#include "imaging/Operations.h"
#include "samples/SampleData.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

class TPictures;

namespace cli {

// One command: receives its arguments (without the command name) and returns the exit
// status: 0 success, 1 after a message that ends the command, 2 usage error.
using CommandFn = int (*)(const QStringList &args);

struct Command {
    const char *name;
    CommandFn run;
    const char *usage; // one line: the arguments after the command name
    const char *help = nullptr; // further lines of `COMMAND --help`, when any
};

const Command *FindCommand(const QString &name);
const Command *Commands(int &count);

// The decimal separator of the system locale, as the windows use it.
QChar Sep();

// A message box's text on standard error, one line.
void Message(const QString &text);
// A usage error: the command's usage on standard error; returns 2.
int UsageError(const char *command, const QString &why = QString());

void Print(const QString &line);

// Opens a ".GRZ" file as a sample window does: the sample goes into the table's texts
// and is read back from them. On failure prints the message and returns false.
bool OpenSample(const QString &fileName, TSampleData &out);
// "row TAB size TAB count" per element; sizes in the table's form, or with `raw` the
// shortest decimal that reads back to the same double, always with '.'.
void PrintSample(const TSampleData &data, bool raw);

// Writes a whole output file or nothing; on failure prints the message and returns false.
bool WriteOutput(const QString &fileName, const QByteArray &bytes);

// Saves a sample as the window's save does: shown in the table, read back into a fresh
// record, then by extension ".GRZ" binary, ".TXT" text, anything else nothing. Returns the
// exit status.
int SaveLikeWindow(const TSampleData &shown, const QString &out);

// Reads any supported picture file as the image window does; prints the message and
// returns false when it cannot.
bool ReadPicture(const QString &fileName, QImage &out);
// Writes a picture in the format of the extension, whole or not at all; a type that cannot
// be written is a message.
bool WritePicture(const QString &fileName, const QImage &picture, int jpegQuality = 100);

// The picture of the file with the operations of `image` (OP...) applied in order; false
// after the message.
bool ReadAndApply(const QString &file, const std::vector<pictures::Operation> &ops, TPictures &engine,
                  QImage &picture);

// Fits the sample of a ".grz" file as `fit` does, its messages on standard error; false after
// a message that ends the fit.
bool FitFile(const QString &file, bool byVolume, bool classes, const mle::Options &options, mle::Result &result);

// Parses "--opt value" style options: returns the value after `opt` and removes both.
bool TakeOption(QStringList &args, const QString &opt, QString &value);
bool TakeFlag(QStringList &args, const QString &flag);
// A number given on the command line, always with '.'.
bool ParseCliNumber(const QString &text, double &out);

} // namespace cli

// The commands, each in the file of its subsystem.
int CmdShow(const QStringList &args);
int CmdTxt(const QStringList &args);
int CmdMerge(const QStringList &args);
int CmdStats(const QStringList &args);
int CmdGroup(const QStringList &args);
int CmdGenerate(const QStringList &args);
int CmdConvert(const QStringList &args);
int CmdImage(const QStringList &args);
int CmdAnalyse(const QStringList &args);
int CmdMeasure(const QStringList &args);
int CmdFunctions(const QStringList &args);
int CmdApplyFunction(const QStringList &args);
int CmdDevices(const QStringList &args);
int CmdScan(const QStringList &args);
int CmdParticles(const QStringList &args);
int CmdFit(const QStringList &args);
int CmdBatch(const QStringList &args);
