#pragma once
// KORVELAN_SCHNELLWEG forces a small function into its callers even where the compiler would
// judge the callers too large to take it. This is the one place that explains its uses; nothing
// else in the core steers the compiler. It is used only where leaving it out costs the conversion
// measurably (instructions of korvelan-konvert on files of 20 MB, measured when it was put here):
//   - the field walk of the readers (FeldHolenAnsicht, FeldHolenZahl, FeldUeberspringen,
//     FeldImText in record/feldholen.h) and the field cursors of the version-4 and version-5
//     readers (Felder in leser_v4.cpp and leser_v5.cpp), run for every field of every line:
//     without it a conversion from version 5 costs about 7 % more, one from version 4 about 0.5 %;
//   - the number fields of the writers (Zahltext and ZahltextfeldAnfuegen in
//     formats/zeilenausgabe.h, and the number step of the version-5 A line), written for every
//     number of every record: without it a conversion into version 5 costs about 2.5 % more.
#if defined(__GNUC__)
#define KORVELAN_SCHNELLWEG __attribute__((always_inline))
#else
#define KORVELAN_SCHNELLWEG
#endif
