#include "app/FixedPitchFont.h"

QFont FixedPitchFont(const QFont& base, bool bold) {
    QFont font(QStringLiteral("Courier New"), base.pointSize());
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(bold);
    return font;
}
