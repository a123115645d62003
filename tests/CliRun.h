#pragma once
// Runs grizal2-cli as a user runs it, with LC_ALL set to `locale`.
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int code = -1;
    QString out, err;
};

inline CliRun RunCli(const QStringList &args, const char *locale = "C")
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(GRIZAL2_BIN_DIR "/grizal2-cli"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
