#include "print/AfdrukkenSoll.h"

#include "app/TextKeys.h"
#include "print/SollwertList.h"

TFormAfdrukkenSoll::TFormAfdrukkenSoll(QWidget* parent)
    : TFormAfdrukken(TextKey::Afdrukken::CaptionSoll, parent) {
    setObjectName(QStringLiteral("FormAfdrukkenSoll"));
}

TPrintDocument TFormAfdrukkenSoll::Layout(const TPrintMetrics& metrics,
                                          const TPrintHeader& header) {
    return PrintSollwerten(metrics, header);
}
