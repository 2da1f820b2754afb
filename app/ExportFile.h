#pragma once
// Saving what a window shows to a file the operator chooses: a picture of some of its controls
// as PNG, or a text (the log graph's samples) as CSV. The save dialog starts in the remembered
// dialog folder, which then follows the chosen file. The file is written to a temporary file and
// renamed over the old one, so a failed save leaves an existing file as it was; a failure is
// shown in a message box with the file's name and the reason. The dialog and the box go through
// hooks, so tests can answer them.

#include "app/FileDialogs.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <initializer_list>

class QPushButton;
class QWidget;

class TExportFile {
public:
    // `owner`: the window, owner of the dialog and the message box.
    explicit TExportFile(QWidget* owner);

    // The chosen file's full name; empty when cancelled.
    std::function<QString(const TFileDialogRequest& request)> GetSaveFileName;
    std::function<void(const QString& caption, const QString& text)> ShowError;

    // Asks for a PNG file and writes the picture `grab` takes once a file is chosen, so that the
    // file shows the window as it is then. True when the file was written.
    bool SavePicture(const std::function<QImage()>& grab);
    // Asks for a CSV file and writes the text `make` gives, as UTF-8. True when written.
    bool SaveCsv(const std::function<QString()>& make);

private:
    struct TKind;
    bool Save(const TKind& kind, const std::function<bool(QByteArray&, QString&)>& content);

    QWidget* FOwner;
};

// The part of `window` that `parts` (controls of it) cover together, painted as it is shown.
QImage GrabParts(QWidget* window, std::initializer_list<const QWidget*> parts);
// The image as PNG; false when it cannot be encoded (a null image).
bool PngBytes(const QImage& image, QByteArray& bytes);

// The export buttons of a window: named, with an accessible name and the built-in caption.
QPushButton* SaveCsvButton(QWidget* parent, const QString& what);
QPushButton* SavePngButton(QWidget* parent, const QString& what);
// Their captions from the language file; `csv` may be null.
void ReadExportButtonTexts(QPushButton* png, QPushButton* csv = nullptr);
