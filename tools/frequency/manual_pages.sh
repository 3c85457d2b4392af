#!/bin/sh
# Writes the Polish manual pages installed on this machine as plain UTF-8 text,
# each page once, in the order of their file names.
for page in /usr/share/man/pl/man*/*; do
    zcat -f "$page" 2>/dev/null | groff -k -Tutf8 -mandoc -rLL=2000n -rHY=0 -P-cbou 2>/dev/null
done
