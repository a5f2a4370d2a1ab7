#pragma once

#include <QList>
#include <QStringList>

// The records of a CSV text as RFC 4180 writes them: fields separated by commas, records by line
// breaks (CRLF or LF), a field in double quotes holding commas, line breaks and doubled quotes.
// A quote left open runs to the end of the text.
QList<QStringList> readCsv(QStringView text);
