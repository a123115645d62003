// The File menu: new, open and merge, save, close, the scanner.
#include "shell/TForm1.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/NumberForms.h"
#include "image_files/MultImage.h"
#include "imaging/ScaleBar.h"
#include "imaging/TImageForm.h"
#include "samples/DataFiles.h"
#include "samples/TStatForm.h"
#include "shell/NewPicture.h"
#include "shell/Scanner.h"
#include "shell/SmallDialogs.h"
#include "shell/TSelectSource.h"
#include "widgets/Messages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <memory>

void TForm1::NewFile()
{
    if (ExecDialog(NewDlg_) != QDialog::Accepted)
        return;
    if (NewDlg_->BtnImg->isChecked())
        NewImgFile();
    else if (NewDlg_->BtnStt->isChecked())
        NewSttFile();
}

void TForm1::NewImgFile()
{
    // Only the size is taken from a clipboard picture, never its content.
    const QImage clip = QGuiApplication::clipboard()->image();
    NewBMPForm_->WidthEdit->setText(QString::number(clip.isNull() ? 0 : clip.width()));
    NewBMPForm_->HeightEdit->setText(QString::number(clip.isNull() ? 0 : clip.height()));
    if (ExecDialog(NewBMPForm_) != QDialog::Accepted)
        return;
    QImage blank;
    QString error;
    if (!MakeBlankPicture(NewBMPForm_->WidthEdit->text(), NewBMPForm_->HeightEdit->text(), blank, error)) {
        ShowMessage(error);
        return;
    }
    OpenPicture(blank);
}

void TForm1::Open()
{
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    if (ExecDialog(OpenDialog) != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    OpenFile(OpenDialog->selectedFiles().first());
}

void TForm1::OpenAdd()
{
    OpenDialog->setFileMode(QFileDialog::ExistingFiles);
    const int result = ExecDialog(OpenDialog);
    const QStringList files = OpenDialog->selectedFiles();
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    if (result == QDialog::Accepted)
        OpenAddFiles(files);
}

void TForm1::OpenAddFiles(const QStringList &files)
{
    if (files.isEmpty())
        return;
    // A first file that cannot be opened ends the command, so that the others are never
    // appended to some other window.
    if (!OpenData(files.first()))
        return;
    for (int i = 1; i < files.size(); ++i)
        if (!MergeData(files[i]))
            return;
}

void TForm1::OpenFile(const QString &fileName)
{
    const QString ext = fileio::UpperExtension(fileName);
    if (TMultImage::IsReadableExtension(ext)) {
        TImageForm *form = CreateImgChild(fileName, false);
        QImage picture;
        QString message;
        if (!TMultImage::LoadPicture(fileName, picture, message))
            ShowMessage(message);
        form->SetPicture(picture);
        form->ActualSize();
        return;
    }
    if (ext == QLatin1String(".GRZ") || ext == QLatin1String(".DAT")) {
        if (ExecDialog(OpenDlg_) != QDialog::Accepted)
            return;
        // With no sample window to append to, "Дописать" opens the file as "Открыть" does.
        if (OpenDlg_->RadioButton1->isChecked() || !ActiveStatForm())
            OpenData(fileName);
        else
            MergeData(fileName);
    }
}

bool TForm1::OpenData(const QString &fileName)
{
    if (fileio::UpperExtension(fileName) != QLatin1String(".GRZ"))
        return true;
    auto data = std::make_unique<TSampleData>();
    QString error;
    if (!datafiles::ReadGrz(fileName, *data, error)) {
        ShowMessage(error);
        return false;
    }
    CreateSttChild(fileName, false)->SetData(*data);
    return true;
}

// The active sample window, its sample read into `data`; none when there is no such window,
// or after the message when a size in its table cannot be stored.
TStatForm *TForm1::ReadActiveSample(TSampleData &data)
{
    TStatForm *form = ActiveStatForm();
    if (!form)
        return nullptr;
    try {
        form->GetData(data);
    } catch (const GrizalError &e) {
        ShowMessage(e.text());
        return nullptr;
    }
    return form;
}

bool TForm1::MergeData(const QString &fileName)
{
    if (fileio::UpperExtension(fileName) != QLatin1String(".GRZ"))
        return true;
    auto window = std::make_unique<TSampleData>();
    TStatForm *form = ReadActiveSample(*window);
    if (!form)
        return false; // nothing to append to
    auto file = std::make_unique<TSampleData>();
    QString error;
    if (!datafiles::ReadGrz(fileName, *file, error)) {
        ShowMessage(error);
        return false;
    }
    AppendSample(*window, *file);
    form->SetData(*window);
    return true;
}

bool TForm1::SaveData(const QString &fileName)
{
    auto data = std::make_unique<TSampleData>();
    if (!ReadActiveSample(*data))
        return false;
    QByteArray bytes;
    if (!datafiles::EncodeForFile(fileName, *data, numtext::SystemDecimalSeparator(), bytes)) {
        ShowMessage(tr("Файл %1 не сохранен: выборка записывается только в файлы .grz и .txt.")
                        .arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    QString error;
    if (!fileio::WriteFileAtomically(fileName, bytes, error)) {
        ShowMessage(error);
        return false;
    }
    SetActiveCaption(fileName);
    return true;
}

void TForm1::SaveImage(const QString &fileName)
{
    TImageForm *form = ActiveImageForm();
    const QString ext = fileio::UpperExtension(fileName);
    if (!form)
        return;
    if (ext != QLatin1String(".BMP") && ext != QLatin1String(".JPG")) {
        // Nothing is written; better said than a caption that claims a saved file.
        ShowMessage(tr("Файл \"%1\" не записан: изображение сохраняется в форматах BMP (.bmp) "
                       "и JPEG (.jpg)")
                        .arg(fileName));
        return;
    }
    if (form->CheckBoxSave->isChecked() && !form->Picture().isNull()) {
        scalebar::Stamp(form->Picture(), scalebar::DrawCalibrate(KPix_, numtext::SystemDecimalSeparator()),
                        form->LabelDate->text(), fileio::FileNamePart(fileName));
        form->PictureChanged();
    }
    int quality = 100;
    if (ext == QLatin1String(".JPG")) {
        QInputDialog box(this);
        box.setWindowTitle(tr("JPEG компрессия"));
        box.setLabelText(tr("Сжатие, % = "));
        box.setTextValue(QStringLiteral("100"));
        const bool ok = ExecDialog(&box) == QDialog::Accepted;
        quality = TMultImage::JpegQualityFromText(ok ? box.textValue() : QStringLiteral("100"));
    }
    QString message;
    if (!TMultImage::SavePicture(fileName, form->Picture(), quality, message)) {
        ShowMessage(message);
        return;
    }
    SetActiveCaption(fileName);
}

void TForm1::Save()
{
    QMdiSubWindow *w = mdi_->currentSubWindow();
    if (!w)
        return;
    const QString proposed = fileio::FileNamePart(w->windowTitle());
    if (ImageFormActive_) {
        SaveImageDialog->selectFile(proposed);
        if (ExecDialog(SaveImageDialog) == QDialog::Accepted && !SaveImageDialog->selectedFiles().isEmpty())
            SaveImage(ChosenSaveFile(SaveImageDialog));
    } else if (StatFormActive_) {
        SaveDataDialog->selectFile(proposed);
        if (ExecDialog(SaveDataDialog) == QDialog::Accepted && !SaveDataDialog->selectedFiles().isEmpty())
            SaveData(ChosenSaveFile(SaveDataDialog));
    }
}

void TForm1::ItemCloseClick()
{
    if ((ImageFormActive_ || StatFormActive_) && mdi_->currentSubWindow())
        mdi_->currentSubWindow()->close();
}

void TForm1::ItemExitClick()
{
    close();
}

// A scanner that is missing, busy or cancelled ends the command without a word and
// without a window.
void TForm1::GetImage()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QImage scanned = scanner::Acquire();
    QGuiApplication::restoreOverrideCursor();
    if (scanned.isNull())
        return;
    OpenPicture(scanned);
}

void TForm1::SelectTwainClick()
{
    if (!SelectSource_)
        SelectSource_ = new TSelectSource(this);
    SelectSource_->Execute();
}
