#include "calib/GrafiekCsv.h"

#include "calib/GrafiekChart.h"

QString LogCsvText(const TLogBuffer& buffer, int source) {
    QString text = QStringLiteral("ms,value\n");
    for (int i = 0; i < buffer.Count && i < LogSlotCount; ++i) {
        text += QString::number(buffer.Times[i]) + u',';
        if (buffer.Read[i])
            text += LogValueText(source, buffer.Values[i]).replace(u',', u'.');
        text += u'\n';
    }
    return text;
}
