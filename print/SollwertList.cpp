#include "print/SollwertList.h"

#include "params/ParamStore.h"
#include "print/PrintTexts.h"

QString InitSollwertHeader(const std::array<QString, 2>& columns) {
    return JoinColumns({{columns[0], 6, QStringLiteral("   ")}, {columns[1], -12, {}}});
}

TPrintDocument LayoutSollwertList(const TPrintMetrics& metrics, const TPrintHeader& header,
                                  const QString& title, const std::array<QString, 2>& columns) {
    TPageLayout page(metrics, header);
    page.PrintText(PrintFont::Bold14, title);
    page.Advance(metrics.TextHeight(PrintFont::Bold14));
    page.PrintText(PrintFont::Bold10, InitSollwertHeader(columns));
    page.Advance(metrics.TextHeight(PrintFont::Bold10));
    for (int nr = 1; nr <= SetpointCount; ++nr) {
        // The list fits a page of A4 or Letter; shorter paper continues on a second page
        // rather than losing the last setpoints below its edge.
        page.EnsureRoom(PrintFont::Normal10, 1);
        const int32_t value = ParamStore().SollData[static_cast<size_t>(nr)];
        page.PrintText(PrintFont::Normal10,
                       InitSollwertHeader({QString::number(nr), QString::number(value)}));
        page.Advance(page.LineHeight());
    }
    return page.TakeDocument();
}

TPrintDocument PrintSollwerten(const TPrintMetrics& metrics, const TPrintHeader& header) {
    return LayoutSollwertList(metrics, header, SollwertTitle(), SollwertColumnTexts());
}
