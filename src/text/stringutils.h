#pragma once

#include <QString>

// The text without its markup tags: every "<" outside a tag opens one, the first ">" after it
// closes it, and both are dropped with everything between. Characters are whole grapheme clusters,
// so a "<" joined to a combining mark is an ordinary character. Nothing else changes: character
// references stay, white space stays.
QString stringRemovingHTML(const QString &text);
