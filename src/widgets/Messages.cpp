#include "widgets/Messages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBoxLayout>
#include <QCompleter>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QVariant>

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
    FitCaption(dialog);
    const int result = Runner() ? Runner()(dialog) : dialog->exec();
    // A name completed with Enter accepts the dialog but leaves the completion list up, a
    // window of its own that would stay over the program.
    for (QCompleter *c : dialog->findChildren<QCompleter *>())
        if (c->popup())
            c->popup()->hide();
    return result;
}

int CaptionWidth(const QWidget *window)
{
    // Window managers draw captions in bold, between the window icon and three buttons.
    QFont bold = window->font();
    bold.setBold(true);
    constexpr int kTitleBarChrome = 4 * 24 + 24;
    return QFontMetrics(bold).horizontalAdvance(window->windowTitle()) + kTitleBarChrome;
}

void FitCaption(QWidget *window)
{
    const int need = CaptionWidth(window);
    if (window->minimumWidth() >= need)
        return;
    auto *box = qobject_cast<QBoxLayout *>(window->layout());
    if (box && (box->direction() == QBoxLayout::TopToBottom || box->direction() == QBoxLayout::BottomToTop)) {
        // A strut widens the layout, whatever size constraint it keeps the window to.
        if (window->property("captionStrut").toInt() < need) {
            box->addStrut(need);
            window->setProperty("captionStrut", need);
        }
    } else if (window->minimumWidth() == window->maximumWidth()) {
        window->setFixedWidth(need);
    } else {
        window->setMinimumWidth(need);
    }
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

void NameAfter(QLabel *label, QWidget *field)
{
    label->setBuddy(field);
    field->setAccessibleName(label->text().remove(QLatin1Char('&')).trimmed());
}
