#include "print/AfdrukkenPar.h"

#include "app/ErrorReport.h"
#include "app/TextKeys.h"
#include "print/ParameterList.h"

TFormAfdrukkenPar::TFormAfdrukkenPar(QWidget* parent)
    : TFormAfdrukken(TextKey::Afdrukken::CaptionPar, parent) {
    setObjectName(QStringLiteral("FormAfdrukkenPar"));
}

TPrintDocument TFormAfdrukkenPar::Layout(const TPrintMetrics& metrics, const TPrintHeader& header) {
    QString treeError;
    TPrintDocument document = PrintParameters(metrics, header, treeError);
    // The list goes on without the tree's pages; the operator learns why they are missing.
    if (!treeError.isEmpty())
        ReportError(treeError);
    return document;
}
