// The windows' language: Russian unless English is chosen, whatever the locale; English all
// along the typical road when it is.
#include "DialogRecorder.h"
#include "base/I18n.h"
#include "imaging/TImageForm.h"
#include "samples/Generation.h"
#include "samples/TFormStatDlg.h"
#include "samples/TStatForm.h"
#include "shell/Application.h"
#include "shell/Settings.h"
#include "shell/TForm1.h"
#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class Language : public DialogRecorder {
protected:
    void SetUp() override
    {
        DialogRecorder::SetUp();
        QFile::remove(SettingsFileName());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        i18n::UseLanguage(*qApp, QStringLiteral("ru"));
        QLocale::setDefault(QLocale::c());
        DialogRecorder::TearDown();
    }
};

// Every text a user reads in `w` and the windows it owns: captions, labels, buttons, menu
// items with their hints, the memo and status texts.
QStringList Texts(QWidget *top)
{
    QStringList out;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        if (w->isWindow())
            out << w->windowTitle();
        out << w->toolTip() << w->statusTip();
        if (auto *l = qobject_cast<QLabel *>(w))
            out << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            out << b->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            out << g->title();
        if (auto *m = qobject_cast<QTextEdit *>(w))
            out << m->toPlainText();
        if (auto *s = qobject_cast<QStatusBar *>(w))
            out << s->currentMessage();
        for (QAction *a : w->actions())
            out << a->text() << a->toolTip() << a->statusTip();
    }
    out.removeAll(QString());
    return out;
}

QStringList MenuTexts(TForm1 &f)
{
    QStringList out;
    std::function<void(QMenu *)> walk = [&](QMenu *m) {
        out << m->title();
        for (QAction *a : m->actions())
            if (a->menu())
                walk(a->menu());
            else if (!a->isSeparator())
                out << a->text();
    };
    for (QAction *a : f.menuBar()->actions())
        walk(a->menu());
    return out;
}

TEST_F(Language, RussianWithoutAChoiceWhateverTheLocale)
{
    EXPECT_EQ(StartLanguage(std::nullopt), "ru");
    ASSERT_TRUE(i18n::UseLanguage(*qApp, StartLanguage(std::nullopt)));
    TForm1 f({});
    EXPECT_EQ(MenuTexts(f),
              QStringList({"&Файл", "Создать", "Открыть", "Объединить", "Сохранить", "Закрыть", "Получить",
                           "Выбрать источник", "Выход", "П&равка", "Отменить", "Вырезать", "Копировать",
                           "Вставить", "&Сервис", "Калькулятор", "Формирование выборки", "Параметры",
                           "Калибровка", "Язык / Language", "Русский", "English", "&Анализ", "Частицы...",
                           "Пакетная обработка...", "Статистика (максимальное правдоподобие)...", "&Окно",
                           "Р&асположить все",
                           "&Разделить", "Ин&формация", "О программе"}));
    QStringList captions;
    for (QDialog *d : f.findChildren<QDialog *>())
        captions << d->windowTitle();
    captions.sort();
    EXPECT_EQ(captions.join(" | ").toStdString(), "Группировка данных | Калибровка | О программе | Открыть | Открыть | Пакетная обработка | "
                                    "Параметры | Размеры изображения | Распределение | Создать | Сохранить файл данных | "
                                    "Сохранить файл изображения | Статистика (максимальное правдоподобие) | "
                                    "Файл данных | Формирование выборки | Частицы");
    TStatForm *s = f.NewSttFile();
    EXPECT_EQ(s->StatusBar->currentMessage(), "Элементов в выборке: 0");
    EXPECT_EQ(s->BtnGroup->toolTip(), "Группировка данных");
    // The toolkit's own buttons speak Russian too.
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Отмена");
}

TEST_F(Language, ChoiceIsStoredBesideTheOtherSettingsAndTheOptionWins)
{
    QString error;
    ASSERT_TRUE(WriteSettings({2.5, 1, 0}, QStringLiteral("/opt/grizal2/"), '.', error));
    ASSERT_TRUE(WriteLanguage(QStringLiteral("en"), error)) << error.toStdString();
    EXPECT_EQ(StartLanguage(std::nullopt), "en");
    EXPECT_EQ(StartLanguage(QStringLiteral("ru")), "ru");
    ASSERT_TRUE(WriteSettings({3.5, 2, 0}, QStringLiteral("/opt/grizal2/"), '.', error));
    EXPECT_EQ(ReadLanguage(), "en");
    QSettings file(SettingsFileName(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Options/KPix").toString(), "3.5");
    EXPECT_EQ(file.value("Options/SizeFlag").toString(), "2");
    file.setValue("Interface/Language", "de"); // a hand-edited value
    file.sync();
    EXPECT_EQ(StartLanguage(std::nullopt), "ru");

    // The menu item stores the choice and says when it takes effect, in both languages.
    TForm1 f({});
    EXPECT_TRUE(f.ItemLanguageRu->isChecked());
    f.ItemLanguageEn->trigger();
    EXPECT_EQ(ReadLanguage(), "en");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("The interface language")) << messages.first().toStdString();
}

// Open a micrograph, make it black and white, find the particles, group their sizes, then
// the report: no Russian word left but the language item's.
TEST_F(Language, EnglishRoadFromMicrographToReport)
{
    ASSERT_TRUE(i18n::UseLanguage(*qApp, QStringLiteral("en")));
    TForm1 f({});
    f.OpenFile(QStringLiteral(GRIZAL2_SOURCE_DIR "/examples/coins.png"));
    TImageForm *image = f.ActiveImageForm();
    ASSERT_TRUE(image);
    image->BtnNegativeClick();
    image->ModeBandW();
    image->EditBright->setValue(40);
    image->BtnBandWApplyClick();
    image->BtnClearRectClick();
    image->BtnAnalis1Click();
    TStatForm *sample = f.ActiveStatForm();
    ASSERT_TRUE(sample);
    EXPECT_TRUE(f.Panel1->text().startsWith("Particles found: ")) << f.Panel1->text().toStdString();
    sample->BtnGroupClick();
    sample->BtnCalcStatClick();
    EXPECT_TRUE(sample->Memo->toPlainText().contains("median diameter d50", Qt::CaseInsensitive))
        << sample->Memo->toPlainText().toStdString();

    // A core text the main window shows, in the core's translation.
    f.findChild<TFormStatDlg *>()->Edit1->setText(QStringLiteral("x"));
    f.FormStat();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), i18n::Tr("Generation", generation::kBadParams));

    QStringList texts = Texts(&f) + MenuTexts(f) + messages;
    for (QDialog *d : f.findChildren<QDialog *>()) {
        texts += Texts(d);
        // Wide enough for the English texts: no caption, label or button cut short.
        d->show();
        EXPECT_GE(d->width(), CaptionWidth(d)) << d->windowTitle().toStdString();
        for (QWidget *w : d->findChildren<QWidget *>()) {
            const auto *l = qobject_cast<QLabel *>(w);
            const auto *b = qobject_cast<QAbstractButton *>(w);
            if (w->isVisible() && ((l && !l->text().isEmpty()) || (b && !b->text().isEmpty())))
                EXPECT_GE(w->width(), w->sizeHint().width()) << (l ? l->text() : b->text()).toStdString();
        }
        d->hide();
    }
    const QRegularExpression cyrillic(QStringLiteral("[А-Яа-яЁё]"));
    for (const QString &t : texts)
        if (t != "Язык / Language" && t != "Русский")
            EXPECT_FALSE(t.contains(cyrillic)) << t.toStdString();
    EXPECT_GT(texts.size(), 200);
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Cancel");
}

} // namespace
