#pragma once
// "Выбрать источник": the list of scanner devices; the one chosen becomes the source of
// later acquisitions.
#include "shell/Scanner.h"

#include <QDialog>

class QListWidget;

class TSelectSource : public QDialog {
    Q_OBJECT
public:
    explicit TSelectSource(QWidget *parent = nullptr);

    QListWidget *ListSources;

    // Lists the devices, marks the current source, runs the dialog and takes the choice.
    // Returns whether a source was chosen.
    bool Execute();
    bool Execute(const QList<scanner::Device> &devices);

private:
    void ListSourcesDoubleClick();
    QList<scanner::Device> devices_;
};
