// The melodies the game's music is arranged from, as note data: a note name with
// its octave and its length in beats ("G4/2"), "R" for a rest; "|" marks a phrase.
// Sources and their public-domain status are listed in docs/credits.md.
#pragma once

namespace music {

struct Melody {
    const char* name;
    int tonic;  // MIDI note of the key's tonic (any octave)
    bool minor;
    const char* notes;
    const char* chords;  // optional fixed chords, one per `chord_beats` beats
    int chord_beats;
};

// Genevan Psalter, Louis Bourgeois (1551): "Old Hundredth".
inline const Melody Old_Hundredth = {"Old Hundredth",
                                     67,
                                     false,
                                     "G4/2 G4 F#4 E4 D4 G4 A4 B4/2 | B4/2 B4 B4 A4 G4 C5 B4 A4/2 | "
                                     "G4/2 A4 B4 A4 G4 E4 F#4 G4/2 | D5/2 B4 G4 A4 C5 B4 A4 G4/4",
                                     nullptr,
                                     0};

// Ludwig van Beethoven (1824), Symphony No. 9: the "Ode to Joy" theme.
inline const Melody Ode_To_Joy = {
    "Hymn to Joy",
    62,
    false,
    "F#4 F#4 G4 A4 A4 G4 F#4 E4 D4 D4 E4 F#4 F#4/1.5 E4/0.5 E4/2 | "
    "F#4 F#4 G4 A4 A4 G4 F#4 E4 D4 D4 E4 F#4 E4/1.5 D4/0.5 D4/2 | "
    "E4 E4 F#4 D4 E4 F#4/0.5 G4/0.5 F#4 D4 E4 F#4/0.5 G4/0.5 F#4 E4 D4 E4 A3/2 | "
    "F#4 F#4 G4 A4 A4 G4 F#4 E4 D4 D4 E4 F#4 E4/1.5 D4/0.5 D4/2",
    nullptr,
    0};

// American folk hymn tune "New Britain" (1829), sung to "Amazing Grace".
inline const Melody New_Britain = {
    "New Britain",
    67,
    false,
    "D4 G4/2 B4/0.5 G4/0.5 B4/2 A4 G4/2 E4 D4/2 D4 G4/2 B4/0.5 G4/0.5 B4/2 A4 D5/3 | "
    "B4 D5/1.5 B4/0.5 D5/0.5 B4/0.5 G4/2 D4 E4/1.5 G4/0.5 G4/0.5 E4/0.5 D4/2 D4 "
    "G4/2 B4/0.5 G4/0.5 B4/2 A4 G4/3",
    nullptr,
    0};

// Johann Pachelbel (c. 1680), Canon in D: the ground and five of its variations.
inline const Melody Canon = {"Canon in D",
                             62,
                             false,
                             "F#5/2 E5/2 D5/2 C#5/2 B4/2 A4/2 B4/2 C#5/2 | "
                             "D5/2 C#5/2 B4/2 A4/2 G4/2 F#4/2 G4/2 E4/2 | "
                             "D4 F#4 A4 G4 F#4 D4 F#4 E4 D4 B3 D4 A4 G4 B4 A4 G4 | "
                             "F#4 D4 E4 C#5 D5 F#5 A5 A4 B4 G4 A4 F#4 D4 D5 D5/1.5 C#5/0.5 | "
                             "D5/0.5 C#5/0.5 D5/0.5 D4/0.5 C#4/0.5 A4/0.5 E4/0.5 F#4/0.5 "
                             "D4/0.5 D5/0.5 C#5/0.5 B4/0.5 C#5/0.5 F#5/0.5 A5/0.5 B5/0.5 "
                             "G5/0.5 F#5/0.5 E5/0.5 G5/0.5 F#5/0.5 E5/0.5 D5/0.5 C#5/0.5 "
                             "B4/0.5 A4/0.5 G4/0.5 F#4/0.5 E4/0.5 G4/0.5 F#4/0.5 E4/0.5",
                             "D A Bm F#m G D G A",
                             2};

// Martin Luther (1529): the chorale "Ein feste Burg ist unser Gott", in its even
// later form.
inline const Melody Ein_Feste_Burg = {
    "Ein feste Burg",
    60,
    false,
    "C5 C5 C5 G4 A4 B4 C5/2 B4 A4 G4/2 | C5 C5 C5 G4 A4 B4 C5/2 B4 A4 G4/2 | "
    "C5 B4 A4 B4 G4 A4/2 G4 F4 E4 D4 C4/2 | G4 A4 B4 C5 B4 A4 B4 C5/2 G4 A4 G4 F4 E4 D4 C4/4",
    nullptr,
    0};

// Johann Sebastian Bach (1723), the chorale movement of Cantata BWV 147 known as
// "Jesu, Joy of Man's Desiring": the opening of its running triplet line.
inline const Melody Jesu_Joy = {
    "Jesu, Joy of Man's Desiring",
    67,
    false,
    "G4/0.33 A4/0.33 B4/0.34 D5/0.33 C5/0.33 C5/0.34 E5/0.33 D5/0.33 D5/0.34 "
    "G5/0.33 F#5/0.33 G5/0.34 D5/0.33 B4/0.33 G4/0.34 A4/0.33 B4/0.33 C5/0.34 "
    "D5/0.33 E5/0.33 D5/0.34 C5/0.33 B4/0.33 A4/0.34 B4/0.33 G4/0.33 F#4/0.34 "
    "G4/0.33 A4/0.33 D4/0.34 F#4/0.33 A4/0.33 C5/0.34 B4/0.33 A4/0.33 B4/0.34 | "
    "G4/0.33 A4/0.33 B4/0.34 D5/0.33 C5/0.33 C5/0.34 E5/0.33 D5/0.33 D5/0.34 "
    "G5/0.33 F#5/0.33 G5/0.34 D5/0.33 B4/0.33 G4/0.34 A4/0.33 B4/0.33 C5/0.34 "
    "D5/0.33 E5/0.33 D5/0.34 C5/0.33 B4/0.33 A4/0.34 B4/0.33 G4/0.33 F#4/0.34 "
    "G4/3",
    nullptr,
    0};

// The project's own melody in the manner of a Russian chant: a reciting tone with
// its cadences, in the Dorian mode on D.
inline const Melody Chant_Tone = {"Chant tone (Veltran)",
                                  62,
                                  true,
                                  "A4 A4 A4 A4 B4 A4 G4 A4/2 | A4 A4 C5 B4 A4 G4 F4 G4 A4/2 | "
                                  "F4 G4 A4 A4 G4 F4 E4 D4/2 | D4 F4 G4 A4 A4 B4 A4 G4 F4 E4 D4/4",
                                  nullptr,
                                  0};

// Its closing cadence alone, for the short piece after a failed session.
inline const Melody Chant_Cadence = {"Chant cadence (Veltran)",
                                     62,
                                     true,
                                     "F4 G4 A4 A4 G4 F4 E4 D4/2 | D4 F4 G4 A4 G4 F4 E4 D4/4",
                                     nullptr,
                                     0};

}  // namespace music
