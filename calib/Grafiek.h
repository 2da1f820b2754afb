#pragma once
// TFormGrafiek: the log graph. Records one live quantity of the selected controller as fast as
// the line allows, keeps up to 4001 time-stamped samples (also between openings) and plots them
// as a strip chart with a choice of time and value scales, grid lines, auto-scroll and a scroll
// bar over the buffer. Shown modally; only the chart settings outlive the program.

#include "app/ActivatedDialog.h"
#include "app/ExportFile.h"
#include "calib/GrafiekChart.h"
#include "calib/GrafiekRecorder.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollBar;
class TDrawImage;

class TFormGrafiek : public TActivatedDialog {
public:
    // `port`: the main window's port; `clock`: the time stamps' monotonic millisecond clock.
    explicit TFormGrafiek(TLBComm* port, QWidget* parent = nullptr,
                          std::function<int64_t()> clock = MonotonicMs);

    TDrawImage *Image1, *ImageX, *ImageY;
    QScrollBar* ScrollBar2;
    QProgressBar* Gauge1;
    QLabel *LabelBuffer, *LabelBufferCount;
    QGroupBox *GroupBoxXas, *GroupBoxYas;
    QListWidget *ListBoxX, *ListBoxY;
    QCheckBox *CheckHulplijnenXas, *CheckBoxAutoScroll, *CheckHulplijnenYas;
    QLabel* LabelBron;
    QComboBox* ComboBoxBron;
    QLabel* PanelCommError;
    QPushButton *CmdStartLog, *CmdStopLog;
    QPushButton *CmdOpslaanCSV, *CmdOpslaanPNG;
    // The save dialogs and error box of the two buttons above.
    TExportFile Export{this};

    TGrafiekRecorder& Recorder() { return FRecorder; }
    TLD100Protocol& LD100LeesLogData() { return FRecorder.LD100LeesLogData; }

    void FormActivate() override;
    void ComboBoxBronChange();
    void CmdStartLogClick();
    void CmdStopLogClick();
    // The recorded samples as a CSV file.
    void CmdOpslaanCSVClick();
    // The chart with its two axis strips as a PNG file.
    void CmdOpslaanPNGClick();
    // Draws the plot and the time strip from the buffer; the scroll bar follows the buffer.
    void TekenGrafiek();
    // Draws the value strip of the source and value scale.
    void TekenYasVerdeling();

protected:
    void done(int result) override;

private:
    void CreateControls();
    // The two save buttons side by side in `area`.
    void CreateExportControls(const QRect& area);
    void LezenTeksten();
    void FormClose();
    void ShowStatus(int text, bool red);
    // The buttons and lists of an idle window; `portOpen` decides whether Start is possible.
    void SetIdle(bool portOpen);
    void LD100LeesLogDataSample();
    void LD100LeesLogDataEnd(TLogEnd end);
    TLogView View() const;

    TGrafiekRecorder FRecorder;
    QStringList FPanelTekst;
};
