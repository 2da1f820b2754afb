#include "comm/LBSetupForm.h"

#include "comm/ComNames.h"
#include "comm/CommTexts.h"
#include "comm/LBComm.h"
#include "comm/PortSettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace {

// Rows of the library's text table.
namespace Row {
constexpr int Caption = 50, OK = 51, Cancel = 52, PageLine = 53, PageExtended = 54, Port = 55,
              IORange = 60, Baudrate = 61, Databits = 62, Parity = 63, ParityFirst = 64,
              Stopbits = 67, Hardware = 68, HardwareFirst = 69, PortType = 73, Receiver = 74,
              ReceiverFirst = 75, Transmitter = 77, TransmitterFirst = 78;
} // namespace Row

constexpr int ButtonMinimumWidth = 80;
constexpr int ListMinimumWidth = 200;

// An entry is a fixed text, or a row of the text table when Fixed is null.
struct TEntry {
    QString Fixed;
    int Row;
};

struct TList {
    QComboBox* TLBSetupCommForm::*Combo;
    QLabel* TLBSetupCommForm::*Label;
    const char* ComboName;
    const char* LabelName;
    int LabelRow;
    std::vector<TEntry> Entries;
    const char* What;
    bool Extended; // on the second page
};

std::vector<TEntry> Fixed(std::initializer_list<const char*> texts) {
    std::vector<TEntry> entries;
    for (const char* text : texts)
        entries.push_back({QString::fromLatin1(text), 0});
    return entries;
}

// The rates in the order of TBaudrate, so that a list index is the rate's ordinal.
std::vector<TEntry> Rates() {
    std::vector<TEntry> entries;
    for (uint32_t rate : BaudRateValues)
        entries.push_back({QString::number(rate), 0});
    return entries;
}

std::vector<TEntry> Rows(int first, int count) {
    std::vector<TEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({QString(), first + i});
    return entries;
}

const std::array<TList, PortSettingCount>& Lists() {
    using F = TLBSetupCommForm;
    static const std::array<TList, PortSettingCount> lists = {{
        {&F::CBAnschluss, &F::PortLabel, "CBAnschluss", "PortLabel", Row::Port, {}, "Port", false},
        {&F::CBBereich, &F::IORangeLabel, "CBBereich", "IORangeLabel", Row::IORange,
         Fixed({"03F8 - 03FF", "02F8 - 02FF", "03E8 - 03EF", "02E8 - 02EF"}), "I/O range", false},
        {&F::CBBaudrate, &F::BaudrateLabel, "CBBaudrate", "BaudrateLabel", Row::Baudrate, Rates(),
         "Bits per second", false},
        {&F::CBDatenbits, &F::DatabitsLabel, "CBDatenbits", "DatabitsLabel", Row::Databits,
         Fixed({"7", "8"}), "Data bits", false},
        {&F::CBParitaet, &F::ParityLabel, "CBParitaet", "ParityLabel", Row::Parity,
         Rows(Row::ParityFirst, 3), "Parity", false},
        {&F::CBStopbits, &F::StopbitsLabel, "CBStopbits", "StopbitsLabel", Row::Stopbits,
         Fixed({"1", "2"}), "Stop bits", false},
        {&F::CBHardware, &F::HardwareLabel, "CBHardware", "HardwareLabel", Row::Hardware,
         Rows(Row::HardwareFirst, 4), "Interface hardware", true},
        {&F::CBTyp, &F::PortTypeLabel, "CBTyp", "PortTypeLabel", Row::PortType,
         Fixed({"RS 232 C", "RS 422", "RS 485"}), "Port type", true},
        {&F::CBEmpfangen, &F::ReceiverLabel, "CBEmpfangen", "ReceiverLabel", Row::Receiver,
         Rows(Row::ReceiverFirst, 2), "Receiver driver", true},
        {&F::CBSenden, &F::TransmitterLabel, "CBSenden", "TransmitterLabel", Row::Transmitter,
         Rows(Row::TransmitterFirst, 4), "Transmitter driver", true},
    }};
    return lists;
}

template <typename E> E Selected(const QComboBox* combo) {
    // -1 (nothing selected) becomes an ordinal outside the enumeration, which setters ignore.
    return static_cast<E>(combo->currentIndex());
}

} // namespace

TLBSetupCommForm::TLBSetupCommForm(int language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FLanguage(language) {
    setObjectName(QStringLiteral("LBSetupCommForm"));
    CreateControls();
    PageControl->setCurrentWidget(TSAnschluss);
}

void TLBSetupCommForm::CreateControls() {
    auto text = [this](int row) { return QString::fromStdString(CommText(row, FLanguage)); };
    setWindowTitle(text(Row::Caption));
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(QStringLiteral("Line and hardware settings"));
    TSAnschluss = new QWidget;
    TSAnschluss->setObjectName(QStringLiteral("TSAnschluss"));
    TSErweitert = new QWidget;
    TSErweitert->setObjectName(QStringLiteral("TSErweitert"));
    PageControl->addTab(TSAnschluss, text(Row::PageLine));
    PageControl->addTab(TSErweitert, text(Row::PageExtended));
    // Nothing can be chosen until the form has a port to show.
    TSAnschluss->setEnabled(false);
    TSErweitert->setEnabled(false);
    auto* lineForm = new QFormLayout(TSAnschluss);
    auto* hardwareForm = new QFormLayout(TSErweitert);

    for (const TList& list : Lists()) {
        QWidget* page = list.Extended ? TSErweitert : TSAnschluss;
        auto* combo = new QComboBox(page);
        combo->setObjectName(QString::fromLatin1(list.ComboName));
        combo->setAccessibleName(QString::fromLatin1(list.What));
        combo->setMinimumWidth(ListMinimumWidth);
        for (const TEntry& entry : list.Entries)
            combo->addItem(entry.Fixed.isNull() ? text(entry.Row) : entry.Fixed);
        auto* label = new QLabel(text(list.LabelRow), page);
        label->setObjectName(QString::fromLatin1(list.LabelName));
        label->setBuddy(combo);
        this->*list.Combo = combo;
        this->*list.Label = label;
        (list.Extended ? hardwareForm : lineForm)->addRow(label, combo);
    }
    for (int port = 0; port < EnumCount<TPort>(); ++port)
        CBAnschluss->addItem(QString::fromStdString(PortDisplayName(static_cast<TPort>(port))));

    OKButton = new QPushButton(text(Row::OK), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelButton = new QPushButton(text(Row::Cancel), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* button : {OKButton, CancelButton})
        button->setMinimumWidth(ButtonMinimumWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CBAnschluss, &QComboBox::activated, this, [this] { CBAnschlussChange(); });
    connect(CBHardware, &QComboBox::activated, this, [this] { CBHardwareChange(); });
    for (QComboBox* driver : {CBTyp, CBEmpfangen, CBSenden})
        connect(driver, &QComboBox::activated, this, [this, driver] { DriverChange(driver); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TLBSetupCommForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (OnShowForm)
        OnShowForm();
    FormActivate();
}

void TLBSetupCommForm::FormActivate() {
    if (!FPort)
        return;
    TSAnschluss->setEnabled(true);
    TSErweitert->setEnabled(true);
    OKButton->setEnabled(!FPort->Active());
    const TPortSettings settings = ReadPortSettings(*FPort);
    for (size_t i = 0; i < Lists().size(); ++i)
        (this->*Lists()[i].Combo)->setCurrentIndex(settings[i]);
    UpdateCaption();
}

void TLBSetupCommForm::UpdateCaption() {
    setWindowTitle(QString::fromStdString(CommText(Row::Caption, FLanguage)) + QLatin1Char(' ') +
                   CBAnschluss->currentText());
}

void TLBSetupCommForm::OKButtonClick() {
    if (!FPort)
        return;
    TPortSettings settings;
    for (size_t i = 0; i < Lists().size(); ++i)
        settings[i] = (this->*Lists()[i].Combo)->currentIndex();
    WritePortSettings(*FPort, settings);
    accept();
}

void TLBSetupCommForm::CBAnschlussChange() {
    CBBereich->setCurrentIndex(CBAnschluss->currentIndex());
    UpdateCaption();
}

// The lists follow the port's own coupling rules: a closed port of no device takes the lists'
// values through its setters, and the lists show what the rules made of them.
void TLBSetupCommForm::CBHardwareChange() {
    TLBComm rules;
    rules.SetHardware(THardware::UserDefined);
    rules.SetPortType(Selected<TPortType>(CBTyp));
    rules.SetReceiveDriver(Selected<TReceiveDriver>(CBEmpfangen));
    rules.SetTransmitDriver(Selected<TTransmitDriver>(CBSenden));
    rules.SetHardware(Selected<THardware>(CBHardware));
    CBTyp->setCurrentIndex(Ord(rules.PortType()));
    CBEmpfangen->setCurrentIndex(Ord(rules.ReceiveDriver()));
    CBSenden->setCurrentIndex(Ord(rules.TransmitDriver()));
}

void TLBSetupCommForm::DriverChange(QComboBox* changed) {
    TLBComm rules;
    rules.SetHardware(Selected<THardware>(CBHardware));
    if (changed == CBTyp)
        rules.SetPortType(Selected<TPortType>(CBTyp));
    else if (changed == CBEmpfangen)
        rules.SetReceiveDriver(Selected<TReceiveDriver>(CBEmpfangen));
    else
        rules.SetTransmitDriver(Selected<TTransmitDriver>(CBSenden));
    if (rules.Hardware() == THardware::UserDefined)
        CBHardware->setCurrentIndex(Ord(THardware::UserDefined));
}
