#pragma once
// A read rich-text document as a QTextDocument, for a rich-text view.

#include "app/RtfReader.h"

class QTextDocument;

// Replaces the contents of `target` by the paragraphs of `document` with their formats.
void FillTextDocument(QTextDocument& target, const TRtfDocument& document);
