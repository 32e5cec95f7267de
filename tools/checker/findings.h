// The checker's findings and what it learnt about the medium, and their output
// as text lines or as one JSON object.
#ifndef TALVICHK_FINDINGS_H
#define TALVICHK_FINDINGS_H

#include <windows.h>

#include "base/setup_state.h"

enum Severity { FINDING_ERROR, FINDING_WARNING };

enum {
    MAX_FINDINGS = 300,
    FINDING_KEY_SIZE = 64,
    FINDING_TEXT_SIZE = 640,
    KIND_COUNT = 5
};

struct Finding {
    Severity severity;
    WORD textId;
    char section[FINDING_KEY_SIZE];
    char key[FINDING_KEY_SIZE];
    char text[FINDING_TEXT_SIZE];
};

struct Report {
    Finding findings[MAX_FINDINGS];
    WORD count;
    WORD dropped;          // findings past MAX_FINDINGS, counted only ("omitted")
    WORD errors;
    WORD warnings;
    int descriptionFound;
    DWORD minimalKb;
    DWORD maximalKb;
    WORD filesByKind[KIND_COUNT];
};

extern Report report;

// Adds a finding whose text is string textId formatted with the arguments.
void AddFinding(Severity severity, const char *section, const char *key, UINT textId, ...);

// 0 without findings, 1 with warnings only, 2 with errors.
int ExitCode();

void PrintText();
void PrintJson();

#endif
