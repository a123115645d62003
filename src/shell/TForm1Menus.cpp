// The main window's menus, its tool bar and the states of their commands.
#include "shell/TForm1.h"
#include "base/I18n.h"
#include "calculator/TDlgCalc.h"
#include "widgets/Commands.h"
#include "widgets/Glyphs.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

void TForm1::BuildMenus()
{
    auto item = [this](QMenu *menu, const QString &caption, const QString &hint, void (TForm1::*slot)(),
                       const QKeySequence &key = QKeySequence()) {
        QAction *a = menu->addAction(caption);
        a->setStatusTip(hint);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto submenu = [this](const QString &caption, const QString &hint) {
        QMenu *m = menuBar()->addMenu(caption);
        m->menuAction()->setStatusTip(hint);
        return m;
    };

    SubFile = submenu(tr("&Файл"), tr("Операции с файлами"));
    ItemNew = item(SubFile, tr("Создать"), tr("Создать новый файл"), &TForm1::NewFile);
    ItemOpen = item(SubFile, tr("Открыть"), tr("Открыть файл"), &TForm1::Open,
                    QKeySequence(Qt::CTRL | Qt::Key_O));
    ItemOpenAdd = item(SubFile, tr("Объединить"), tr("Открыть файлы с объединением"),
                       &TForm1::OpenAdd);
    ItemSave = item(SubFile, tr("Сохранить"), tr("Сохранить  файл из активного окна"),
                    &TForm1::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    ItemClose = item(SubFile, tr("Закрыть"), tr("Закрыть файл"), &TForm1::ItemCloseClick);
    SubFile->addSeparator();
    ItemGetImage = item(SubFile, tr("Получить"), tr("Получить изображение из TWAIN"),
                        &TForm1::GetImage);
    ItemSelectTwain = item(SubFile, tr("Выбрать источник"), tr("Выбрать источник TWAIN"),
                           &TForm1::SelectTwainClick);
    SubFile->addSeparator();
    ItemExit = item(SubFile, tr("Выход"), tr("Выход из программы"), &TForm1::ItemExitClick,
                    QKeySequence(Qt::ALT | Qt::Key_F4));

    SubRed = submenu(tr("П&равка"), tr("Правка"));
    ItemUndo = item(SubRed, tr("Отменить"), tr("Отменить последнюю операцию"),
                    &TForm1::ItemUndoClick);
    ItemUndo->setEnabled(false);
    SubRed->addSeparator();
    ItemCut = item(SubRed, tr("Вырезать"), tr("Вырезать"), &TForm1::ItemCutClick,
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    ItemCopy = item(SubRed, tr("Копировать"), tr("Копировать"), &TForm1::ItemCopyClick,
                    QKeySequence(Qt::CTRL | Qt::Key_C));
    ItemPaste = item(SubRed, tr("Вставить"), tr("Вставить"), &TForm1::ItemPasteClick,
                     QKeySequence(Qt::CTRL | Qt::Key_V));

    SubService = submenu(tr("&Сервис"), tr("Сервис"));
    ItemCalc = item(SubService, tr("Калькулятор"), tr("Калькулятор"), &TForm1::CalcClick);
    ItemCalc->setCheckable(true);
    ItemFormStat = item(SubService, tr("Формирование выборки"),
                        tr("Формирование выборки с указанными параметрами"), &TForm1::FormStat);
    ItemParam = item(SubService, tr("Параметры"), tr("Установка параметров системы"),
                     &TForm1::ItemParamClick);
    ItemKalibr = item(SubService, tr("Калибровка"), tr("Введение калибровочного коэффициента"),
                      &TForm1::Kalibr);
    // Named in both languages, so that a reader of either finds it; each language by its own name.
    SubLanguage = SubService->addMenu(tr("Язык / Language"));
    SubLanguage->menuAction()->setStatusTip(tr("Язык интерфейса"));
    auto *languages = new QActionGroup(SubLanguage);
    auto language = [&](const QString &lang, const QString &name) {
        QAction *a = languages->addAction(name);
        SubLanguage->addAction(a);
        a->setCheckable(true);
        a->setChecked(lang == i18n::Language());
        connect(a, &QAction::triggered, this, [this, lang] { ChooseLanguage(lang); });
        return a;
    };
    ItemLanguageRu = language(QStringLiteral("ru"), QStringLiteral("Русский"));
    ItemLanguageEn = language(QStringLiteral("en"), QStringLiteral("English"));

    SubAnalysis = submenu(tr("&Анализ"), tr("Анализ"));
    ItemParticles = item(SubAnalysis, tr("Частицы..."), tr("Найти и измерить частицы изображения"),
                         &TForm1::ParticlesClick);
    ItemBatch = item(SubAnalysis, tr("Пакетная обработка..."),
                     tr("Измерить частицы всех изображений папки в одну выборку"), &TForm1::BatchClick);
    ItemFit = item(SubAnalysis, tr("Статистика (максимальное правдоподобие)..."),
                   tr("Законы распределения по методу максимального правдоподобия с доверительными интервалами"),
                   &TForm1::ItemFitClick);
    ItemFit->setIcon(DrawnIcon(QStringLiteral("grizal-fit")));

    SubWin = submenu(tr("&Окно"), QString());
    ItemCascade = item(SubWin, tr("Р&асположить все"), QString(), &TForm1::ItemCascadeClick);
    ItemTile = item(SubWin, tr("&Разделить"), QString(), &TForm1::ItemTileClick);
    connect(SubWin, &QMenu::aboutToShow, this, &TForm1::SubWinAboutToShow);

    SubInfo = submenu(tr("Ин&формация"), tr("Информация"));
    ItemInfo = item(SubInfo, tr("О программе"), tr("Информация о программе"),
                    &TForm1::ItemInfoClick);
}

void TForm1::BuildToolBar()
{
    BarMain = addToolBar(QStringLiteral("BarMain"));
    BarMain->setObjectName(QStringLiteral("BarMain"));
    BarMain->setMovable(false);
    BarMain->setIconSize(QSize(19, 19));
    auto button = [this](const char *icon, const QString &tip, void (TForm1::*slot)()) {
        return AddCommand(BarMain, StandardIcon(QLatin1String(icon)), tip, this, slot);
    };
    BtnNew = button("document-new", tr("Создать новый файл"), &TForm1::NewFile);
    BtnOpen = button("document-open", tr("Открыть"), &TForm1::Open);
    BtnOpenAdd = button("grizal-open-add", tr("Объединить"), &TForm1::OpenAdd);
    BtnSave = button("document-save", tr("Сохранить"), &TForm1::Save);
    BtnGetImage = button("scanner", tr("Получить"), &TForm1::GetImage);
    BtnCut = button("edit-cut", tr("Вырезать"), &TForm1::ItemCutClick);
    BtnCopy = button("edit-copy", tr("Копировать"), &TForm1::ItemCopyClick);
    BtnPaste = button("edit-paste", tr("Вставить"), &TForm1::ItemPasteClick);
    BtnCalc = button("accessories-calculator", tr("Калькулятор"), &TForm1::CalcClick);
    BtnCalc->setCheckable(true);
    BtnFormStat = button("grizal-generate", tr("Формирование выборки с указанными параметрами"),
                         &TForm1::FormStat);
    BtnInfo = button("help-about", tr("О программе"), &TForm1::ItemInfoClick);
    // The menu items of the same commands show the same pictures.
    const std::pair<QAction *, QAction *> twins[] = {
        {ItemNew, BtnNew},           {ItemOpen, BtnOpen}, {ItemOpenAdd, BtnOpenAdd}, {ItemSave, BtnSave},
        {ItemGetImage, BtnGetImage}, {ItemCut, BtnCut},   {ItemCopy, BtnCopy},       {ItemPaste, BtnPaste},
        {ItemFormStat, BtnFormStat}, {ItemInfo, BtnInfo}};
    for (const auto &[item, btn] : twins)
        item->setIcon(btn->icon());
    ItemUndo->setIcon(StandardIcon(QStringLiteral("edit-undo")));
    ItemExit->setIcon(StandardIcon(QStringLiteral("application-exit")));
}

void TForm1::UpdateCommandState()
{
    const bool child = ImageFormActive_ || StatFormActive_;
    for (QAction *a : {ItemSave, ItemClose, ItemCut, ItemCopy, ItemPaste, ItemCascade, ItemTile, BtnSave,
                       BtnCut, BtnCopy, BtnPaste})
        a->setEnabled(child);
    ItemFit->setEnabled(StatFormActive_);
    ItemParticles->setEnabled(ImageFormActive_);
    const bool calc = DlgCalc_ && DlgCalc_->isVisible();
    ItemCalc->setChecked(calc);
    BtnCalc->setChecked(calc);
}

void TForm1::SubWinAboutToShow()
{
    // The menu ends with the list of open child windows.
    const QList<QAction *> actions = SubWin->actions();
    for (QAction *a : actions)
        if (a != ItemCascade && a != ItemTile) {
            SubWin->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow *> windows = mdi_->subWindowList();
    if (windows.isEmpty())
        return;
    SubWin->addSeparator();
    int n = 0;
    for (QMdiSubWindow *w : windows) {
        QAction *a = SubWin->addAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
            if (w)
                mdi_->setActiveSubWindow(w);
        });
    }
}
