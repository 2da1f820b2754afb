#include "app/DialogFilter.h"

#include <QStringList>

QString QtNameFilter(const QString& filter) {
    QStringList parts = filter.split(u'|');
    if (parts.size() < 2)
        return filter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // Qt reads the patterns from the parentheses; several are separated by blanks there.
        QString patterns = parts[i + 1].trimmed().replace(u';', u' ');
        QString own = u'(' + patterns + u')';
        filters.append(description.endsWith(own) ? description : description + u' ' + own);
    }
    return filters.join(QStringLiteral(";;"));
}
