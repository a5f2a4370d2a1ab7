#include "csv.h"

QList<QStringList> readCsv(QStringView text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool anything = false; // the record has begun
    const auto endField = [&] {
        record << field;
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        records << record;
        record.clear();
        anything = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == u'"') {
            quoted = true;
            anything = true;
        } else if (c == u',') {
            endField();
            anything = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (anything)
                endRecord(); // blank lines are no records
        } else {
            field += c;
            anything = true;
        }
    }
    if (anything)
        endRecord();
    return records;
}
