#!/usr/bin/env bash
# Fails when a text of the program has no finished Spanish translation: lupdate reads the sources
# into a scratch copy of the catalogue, and every message there must be translated.
#   check-catalogue.sh LUPDATE SOURCE_DIR CATALOGUE
set -euo pipefail
lupdate=$1 sources=$2 catalogue=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$catalogue" "$scratch/catalogue.ts"
"$lupdate" -silent "$sources" -ts "$scratch/catalogue.ts" -no-obsolete -locations none
if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<numerusform></numerusform>' \
    "$scratch/catalogue.ts"; then
    echo "Texts without a finished Spanish translation in $catalogue (run lupdate and translate them)." >&2
    exit 1
fi
if ! diff -q "$catalogue" "$scratch/catalogue.ts" >/dev/null; then
    diff "$catalogue" "$scratch/catalogue.ts" || true
    echo "$catalogue is not up to date with the sources (run lupdate)." >&2
    exit 1
fi
# Each translation keeps its source's placeholders (%1 to %9, and %n of a plural) and its leading
# spaces, which line up the menu's entries.
perl -0777 -ne '
    my $bad = 0;
    my %seen;
    my $marks = sub { my %m = map { $_ => 1 } $_[0] =~ /%[1-9n]/g; join " ", sort keys %m };
    while (/<message( numerus="yes")?>(.*?)<\/message>/gs) {
        my ($plural, $message) = ($1, $2);
        my ($source) = $message =~ /<source>(.*?)<\/source>/s;
        my @translations = $plural ? $message =~ /<numerusform>(.*?)<\/numerusform>/gs
                                   : $message =~ /<translation>(.*?)<\/translation>/s;
        for my $translation (@translations) {
            my ($lead, $theirs) = ($source =~ /^( *)/, $translation =~ /^( *)/);
            next if $marks->($source) eq $marks->($translation) && $lead eq $theirs;
            print "\"$source\" -> \"$translation\": placeholders or leading spaces differ\n";
            $bad = 1;
        }
    }
    exit $bad;
' "$catalogue" || {
    echo "Translations in $catalogue that change placeholders or leading spaces." >&2
    exit 1
}
echo "The catalogue holds every text of the program, translated."
