#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do.
struct CommandLine
{
    enum class Mode { Tray, Help, Version, Once, Invalid };
    // How --once writes what it found.
    enum class Format { text, json, waybar, i3blocks, ics, geojson, svg };

    Mode mode = Mode::Tray;
    Format format = Format::text;
    double timeoutSeconds = 90;
    bool verbose = false; // --verbose: the debug and info lines of every category
    QString problem; // why the arguments are invalid

    // The arguments after the program's name.
    static CommandLine parse(const QStringList &arguments);
    static QString usage();
    // "Plumetrack VERSION (build N)"
    static QString version(qint64 build);
};
