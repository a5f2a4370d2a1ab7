#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

#include "demoworld.h"

using demo::detailLink;
using demo::faaListPage;
using demo::FaaRow;

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
