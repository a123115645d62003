#include "widgets/Messages.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QDialog>
#include <QFileDialog>
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

// The default extension a save dialog was made with; ChosenSaveFile changes the dialog's.
static const char *kDefaultSuffix = "grizalDefaultSuffix";

// "description|pattern|description|pattern..." as Qt's name filters.
static QStringList NameFilters(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString desc = parts[i];
        filters << (desc.endsWith(QLatin1Char(')')) ? desc : desc + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

QFileDialog *MakeFileDialog(QWidget *parent, const QString &title, const QString &filter, bool save,
                            const QString &defaultSuffix)
{
    auto *d = new QFileDialog(parent, title);
    d->setOption(QFileDialog::DontUseNativeDialog, true);
    d->setNameFilters(NameFilters(filter));
    if (save) {
        d->setAcceptMode(QFileDialog::AcceptSave);
        d->setOption(QFileDialog::DontConfirmOverwrite, true);
        d->setDefaultSuffix(defaultSuffix);
        d->setProperty(kDefaultSuffix, defaultSuffix);
    }
    return d;
}

QString ChosenSaveFile(QFileDialog *dialog)
{
    const QVariant kept = dialog->property(kDefaultSuffix);
    QString suffix = kept.isValid() ? kept.toString() : dialog->defaultSuffix();
    const QString filter = dialog->selectedNameFilter();
    const QString first = filter.section(QLatin1Char('('), -1).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0);
    if (filter.contains(QLatin1Char('(')) && first.startsWith(QLatin1String("*.")) && first.indexOf(QLatin1Char('*'), 1) < 0
        && !first.contains(QLatin1Char('?')))
        suffix = first.mid(2);
    dialog->setDefaultSuffix(suffix);
    const QStringList files = dialog->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void FitCaption(QDialog *dialog)
{
    // Title bars use a bold face of about the application's size; the room for the icon
    // and the buttons is an allowance that fits the common window managers.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) * 5 / 4 + 140;
    if (auto *box = qobject_cast<QBoxLayout *>(dialog->layout()))
        box->addStrut(width);
    else
        dialog->setMinimumWidth(width);
}
