#include "shell/TSelectSource.h"

#include "widgets/Messages.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TSelectSource::TSelectSource(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Выбрать источник"));
    ListSources = new QListWidget(this);
    ListSources->setMinimumSize(360, 160);
    ListSources->setAccessibleName(tr("Устройства сканирования"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ListSources, &QListWidget::itemDoubleClicked, this, &TSelectSource::ListSourcesDoubleClick);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListSources);
    layout->addWidget(buttons);
}

bool TSelectSource::Execute()
{
    return Execute(scanner::ListDevices());
}

bool TSelectSource::Execute(const QList<scanner::Device> &devices)
{
    if (devices.isEmpty()) {
        // An empty list to choose from would say nothing.
        ShowMessage(tr("Устройства сканирования не найдены"));
        return false;
    }
    devices_ = devices;
    ListSources->clear();
    const QString current = scanner::SelectedDevice();
    for (int i = 0; i < devices_.size(); ++i) {
        const scanner::Device &d = devices_[i];
        ListSources->addItem(d.description.isEmpty() ? d.name : d.description + QStringLiteral(" (") + d.name + ')');
        if (d.name == current)
            ListSources->setCurrentRow(i);
    }
    if (ListSources->currentRow() < 0 && !devices_.isEmpty())
        ListSources->setCurrentRow(0);
    if (ExecDialog(this) != QDialog::Accepted)
        return false;
    const int row = ListSources->currentRow();
    if (row < 0 || row >= devices_.size())
        return false;
    scanner::SetSelectedDevice(devices_[row].name);
    return true;
}

void TSelectSource::ListSourcesDoubleClick()
{
    accept();
}
