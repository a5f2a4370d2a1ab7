#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

// A row of the FAA list: its NOTAM number, type and description.
struct FaaRow
{
    QString notam;
    QString type;
    QString description;
    QString date = QStringLiteral("08/13/2021");
};

// The rows of the real list page sample.
inline std::vector<FaaRow> realFaaRows()
{
    QFile file(QStringLiteral(PLUMETRACK_FIXTURES "/faa/list-rows-2021-08.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<FaaRow> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n').mid(1)) {
        const QStringList f = line.split('\t');
        if (f.size() == 4)
            rows.push_back({f[1], f[2], f[3], f[0]});
    }
    return rows;
}

// The detail page's address relative to the list's directory, as the list links it.
inline QString detailLink(const QString &notam, bool upLevel = false)
{
    return QStringLiteral("%1save_pages/detail_%2.html")
        .arg(upLevel ? "../" : "", QString(notam).replace('/', '_'));
}

// A list page in the shape of the real one: a table row per restriction with attributes on the
// rows, each cell's text inside an anchor to the detail page on a line of its own, CRLF line ends,
// and a trailing "New" of the description on a line of its own.
inline QString faaListPage(const std::vector<FaaRow> &rows, bool upLevelLinks = false)
{
    QStringList lines {"<html>", "<head><title>TFR List</title></head>", "<body>",
                       "<table width=\"970\" border=\"0\" cellpadding=\"2\">",
                       "<tr><td>Date</td><td>NOTAM</td><td>Facility</td><td>State</td>"
                       "<td>Type</td><td>Description</td></tr>"};
    bool odd = false;
    for (const FaaRow &row : rows) {
        const QString link = detailLink(row.notam, upLevelLinks);
        QString description = row.description;
        const bool isNew = description.endsWith(" New");
        if (isNew)
            description.chop(4);
        lines << QStringLiteral("<tr valign=\"top\" height=\"30\" bgcolor=\"%1\">")
                     .arg(odd ? "#EEEEEE" : "#FFFFFF");
        for (const QString &cell : {row.date, row.notam, QStringLiteral("ZHU"),
                                    QStringLiteral("TX"), row.type, description}) {
            lines << "<td class=\"tfr\">"
                  << QStringLiteral("<a href=\"%1\">%2</a>").arg(link, cell);
            if (isNew && cell == description)
                lines << "<font color=\"red\">New</font>";
            lines << "</td>";
        }
        lines << "</tr>"
              << "";
        odd = !odd;
    }
    lines << "</table>"
          << "</body>"
          << "</html>";
    return lines.join("\r\n");
}
