#pragma once
// Runs grizal2-cli (or another program) as a user runs it, in a given locale, and keeps
// what it says.
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int code = -1;
    QString out, err;
};

inline const QString kCliProgram = QStringLiteral(GRIZAL2_BIN_DIR "/grizal2-cli");

inline QProcessEnvironment CliEnvironment(const char *locale = "C")
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    return env;
}

inline CliRun RunProgram(const QString &program, const QStringList &args, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

inline CliRun RunCli(const QStringList &args, const char *locale = "C")
{
    return RunProgram(kCliProgram, args, CliEnvironment(locale));
}
