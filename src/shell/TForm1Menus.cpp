// The main window's menus, its tool bar and the states of their commands.
#include "shell/TForm1.h"
#include "calculator/TDlgCalc.h"
#include "widgets/Commands.h"
#include "widgets/Glyphs.h"

#include <QAction>
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

    SubFile = submenu(QStringLiteral("&Файл"), QStringLiteral("Операции с файлами"));
    ItemNew = item(SubFile, QStringLiteral("Создать"), QStringLiteral("Создать новый файл"), &TForm1::NewFile);
    ItemOpen = item(SubFile, QStringLiteral("Открыть"), QStringLiteral("Открыть файл"), &TForm1::Open,
                    QKeySequence(Qt::CTRL | Qt::Key_O));
    ItemOpenAdd = item(SubFile, QStringLiteral("Объединить"), QStringLiteral("Открыть файлы с объединением"),
                       &TForm1::OpenAdd);
    ItemSave = item(SubFile, QStringLiteral("Сохранить"), QStringLiteral("Сохранить  файл из активного окна"),
                    &TForm1::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    ItemClose = item(SubFile, QStringLiteral("Закрыть"), QStringLiteral("Закрыть файл"), &TForm1::ItemCloseClick);
    SubFile->addSeparator();
    ItemGetImage = item(SubFile, QStringLiteral("Получить"), QStringLiteral("Получить изображение из TWAIN"),
                        &TForm1::GetImage);
    ItemSelectTwain = item(SubFile, QStringLiteral("Выбрать источник"), QStringLiteral("Выбрать источник TWAIN"),
                           &TForm1::SelectTwainClick);
    SubFile->addSeparator();
    ItemExit = item(SubFile, QStringLiteral("Выход"), QStringLiteral("Выход из программы"), &TForm1::ItemExitClick,
                    QKeySequence(Qt::ALT | Qt::Key_F4));

    SubRed = submenu(QStringLiteral("П&равка"), QStringLiteral("Правка"));
    ItemUndo = item(SubRed, QStringLiteral("Отменить"), QStringLiteral("Отменить последнюю операцию"),
                    &TForm1::ItemUndoClick);
    ItemUndo->setEnabled(false);
    SubRed->addSeparator();
    ItemCut = item(SubRed, QStringLiteral("Вырезать"), QStringLiteral("Вырезать"), &TForm1::ItemCutClick,
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    ItemCopy = item(SubRed, QStringLiteral("Копировать"), QStringLiteral("Копировать"), &TForm1::ItemCopyClick,
                    QKeySequence(Qt::CTRL | Qt::Key_C));
    ItemPaste = item(SubRed, QStringLiteral("Вставить"), QStringLiteral("Вставить"), &TForm1::ItemPasteClick,
                     QKeySequence(Qt::CTRL | Qt::Key_V));

    SubService = submenu(QStringLiteral("&Сервис"), QStringLiteral("Сервис"));
    ItemCalc = item(SubService, QStringLiteral("Калькулятор"), QStringLiteral("Калькулятор"), &TForm1::CalcClick);
    ItemCalc->setCheckable(true);
    ItemFormStat = item(SubService, QStringLiteral("Формирование выборки"),
                        QStringLiteral("Формирование выборки с указанными параметрами"), &TForm1::FormStat);
    ItemParam = item(SubService, QStringLiteral("Параметры"), QStringLiteral("Установка параметров системы"),
                     &TForm1::ItemParamClick);
    ItemKalibr = item(SubService, QStringLiteral("Калибровка"), QStringLiteral("Введение калибровочного коэффициента"),
                      &TForm1::Kalibr);

    SubAnalysis = submenu(tr("&Анализ"), tr("Анализ частиц"));
    ItemParticles = item(SubAnalysis, tr("Частицы..."), tr("Найти и измерить частицы изображения"),
                         &TForm1::ParticlesClick);
    ItemBatch = item(SubAnalysis, tr("Пакетная обработка..."),
                     tr("Измерить частицы всех изображений папки в одну выборку"), &TForm1::BatchClick);

    SubWin = submenu(QStringLiteral("&Окно"), QString());
    ItemCascade = item(SubWin, QStringLiteral("Р&асположить все"), QString(), &TForm1::ItemCascadeClick);
    ItemTile = item(SubWin, QStringLiteral("&Разделить"), QString(), &TForm1::ItemTileClick);
    connect(SubWin, &QMenu::aboutToShow, this, &TForm1::SubWinAboutToShow);

    SubInfo = submenu(QStringLiteral("Ин&формация"), QStringLiteral("Информация"));
    ItemInfo = item(SubInfo, QStringLiteral("О программе"), QStringLiteral("Информация о программе"),
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
    BtnNew = button("document-new", QStringLiteral("Создать новый файл"), &TForm1::NewFile);
    BtnOpen = button("document-open", QStringLiteral("Открыть"), &TForm1::Open);
    BtnOpenAdd = button("grizal-open-add", QStringLiteral("Объединить"), &TForm1::OpenAdd);
    BtnSave = button("document-save", QStringLiteral("Сохранить"), &TForm1::Save);
    BtnGetImage = button("scanner", QStringLiteral("Получить"), &TForm1::GetImage);
    BtnCut = button("edit-cut", QStringLiteral("Вырезать"), &TForm1::ItemCutClick);
    BtnCopy = button("edit-copy", QStringLiteral("Копировать"), &TForm1::ItemCopyClick);
    BtnPaste = button("edit-paste", QStringLiteral("Вставить"), &TForm1::ItemPasteClick);
    BtnCalc = button("accessories-calculator", QStringLiteral("Калькулятор"), &TForm1::CalcClick);
    BtnCalc->setCheckable(true);
    BtnFormStat = button("grizal-generate", QStringLiteral("Формирование выборки с указанными параметрами"),
                         &TForm1::FormStat);
    BtnInfo = button("help-about", QStringLiteral("О программе"), &TForm1::ItemInfoClick);
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
