// The show's song: 120 BPM in A minor, rising to B minor for the finale. Sections change
// exactly where the pictures change; times below are in seconds (one beat is 0.5 s).
#include <cmath>

#include "tools/musicgen/Harmony.h"
#include "tools/musicgen/ShowInstruments.h"
#include "tools/musicgen/Song.h"

namespace synth {
namespace {

constexpr double kBeat = 0.5;  // seconds

double B(double seconds) { return seconds / kBeat; }

struct ClipOptions {
  int transpose = 0;
  float gainFrom = 1.f, gainTo = 1.f;
  float brightFrom = 0.f, brightTo = 0.f;
  double anchorSeconds = -1.0;  // default: the clip's start
};

struct DrumKit {
  const Pattern* kick = nullptr;
  const Pattern* punch = nullptr;
  const Pattern* snare = nullptr;
  const Pattern* clap = nullptr;
  const Pattern* closedHat = nullptr;
  const Pattern* openHat = nullptr;
  float gain = 1.f;
};

struct Arranger {
  Song& song;

  void Section(const char* name, double seconds) { song.sections.push_back({name, seconds}); }

  void Add(int track, const Pattern& pattern, double from, double to, const ClipOptions& o = {}) {
    Clip c;
    c.track = track;
    c.pattern = &pattern;
    c.fromBeat = B(from);
    c.toBeat = B(to);
    c.anchorBeat = B(o.anchorSeconds >= 0.0 ? o.anchorSeconds : from);
    c.transpose = o.transpose;
    c.gainFrom = o.gainFrom;
    c.gainTo = o.gainTo;
    c.brightnessFrom = o.brightFrom;
    c.brightnessTo = o.brightTo;
    PlaceClip(c, song.notes);
  }

  void Hit(int track, double seconds, float pitch, float velocity, double beats = 0.25, float bright = 0.f) {
    song.notes.push_back({B(seconds), beats, pitch, velocity, bright, track});
  }

  void Chord(int track, double seconds, const synth::Chord& chord, double beats, float velocity) {
    Pattern one = Stabs({{chord.root, chord.minor, 0.25}}, "x");
    for (Note n : one.notes) Hit(track, seconds, n.pitch, velocity * n.velocity, beats);
  }

  // Loops the kit over [from, to); with a fill the last beat becomes a snare run.
  void Drums(const DrumKit& kit, double from, double to, bool fill) {
    const double loopEnd = fill ? to - kBeat : to;
    const ClipOptions o{0, kit.gain, kit.gain};
    const int tracks[] = {kKick, kPunch, kSnare, kClap, kClosedHat, kOpenHat};
    const Pattern* patterns[] = {kit.kick, kit.punch, kit.snare, kit.clap, kit.closedHat, kit.openHat};
    for (int i = 0; i < 6; ++i) {
      if (patterns[i]) Add(tracks[i], *patterns[i], from, loopEnd, o);
    }
    if (fill) {
      Hit(kKick, loopEnd, 60.f, kit.gain);
      for (int s = 0; s < 4; ++s) Hit(kSnare, loopEnd + s * 0.125, 60.f, kit.gain * (0.5f + 0.15f * s));
    }
  }

  void Crash(double seconds, float velocity = 1.f) { Hit(kCrash, seconds, 60.f, velocity); }
};

// Chord roots in the bass octave.
constexpr int A1 = 33, Bb1 = 34, B1 = 35, C2 = 36, D2 = 38, E1 = 28, F1 = 29, G1 = 31;

}  // namespace

Song BuildShowSong() {
  Song song;
  song.bpm = 120.0;
  song.lengthSeconds = 296.0;
  song.fadeOutFromSeconds = 292.0;
  song.tracks = ShowInstruments();
  song.reverbRoom = 0.82f;
  song.reverbDamping = 0.45f;
  song.reverbReturn = 1.f;
  song.delaySeconds = 0.375;  // a dotted eighth
  song.delayFeedback = 0.42f;
  song.delayReturn = 0.45f;
  Arranger a{song};

  // Harmony.
  const Progression main = {{A1, true, 4}, {F1 + 12, false, 4}, {C2, false, 4}, {G1, false, 4}};
  const Progression slow = {{A1, true, 8}, {F1 + 12, false, 8}, {C2, false, 8}, {G1, false, 8}};
  const Progression dark = {{A1, true, 4}, {Bb1, false, 4}};
  const Progression orbit = {{F1, false, 4}, {G1, false, 4}, {E1 + 12, true, 4}, {A1, true, 4}};
  const Progression breakdown = {{D2, true, 4}, {E1 + 12, false, 6}};
  const Progression tunnel = {{C2, false, 4}, {G1, false, 4}, {A1, true, 4}, {F1, false, 4}};
  const Progression rows = {{A1, true, 4}, {G1, false, 4}, {F1, false, 4}, {E1, false, 4}};
  const Progression spike = {{D2, true, 4}, {F1, false, 4}, {A1, true, 8}};
  const Progression finale = {{B1, true, 4}, {G1, false, 4}, {D2, false, 4}, {A1, false, 4}};

  const Pattern padMain = PadChords(main), padSlow = PadChords(slow), padDark = PadChords(dark);
  const Pattern padOrbit = PadChords(orbit), padBreak = PadChords(breakdown), padTunnel = PadChords(tunnel);
  const Pattern padRows = PadChords(rows), padSpike = PadChords(spike), padFinale = PadChords(finale);

  const Pattern bassOffbeat = BassLine(main, "..R-..R-..R-..O-");
  const Pattern bassDrive = BassLine(main, "R-ROR-RFR-ROR-RF");
  const Pattern bassSlow = BassLine(slow, "R---------------");
  const Pattern bassDark = BassLine(dark, "R.RRR.RRR.RRR.RO");
  const Pattern bassOrbit = BassLine(orbit, "R-.RO-.RR-.RO-RF");
  const Pattern bassBreak = BassLine(breakdown, "R---------------");
  const Pattern bassTunnel = BassLine(tunnel, "R-..R-.OR-..R-.O");
  const Pattern bassRows = BassLine(rows, ".RRO.RRO.RRO.RRF");
  const Pattern bassSpike = BassLine(spike, "RRORRFRRORRfRROF");
  const Pattern bassFinale = BassLine(finale, "R-ROR-ROR-ROR-RF");

  const Pattern arpSlow = Arpeggio(slow, "0234", 0.5);
  const Pattern arpMain = Arpeggio(main, "0123432123454321", 0.25);
  const Pattern arpDark = Arpeggio(dark, "0213", 0.25);
  const Pattern arpLaser = Arpeggio(dark, "0123456543210123", 0.25);
  const Pattern arpOrbit = Arpeggio(orbit, "02130213", 0.25);
  const Pattern arpTunnel = Arpeggio(tunnel, "0.2.3.4.3.2.", 0.25);
  const Pattern arpRows = Arpeggio(rows, "0303", 0.25);
  const Pattern arpSpike = Arpeggio(spike, "0123", 0.125);
  const Pattern arpFinale = Arpeggio(finale, "0234534323454321", 0.25);

  const Pattern stabMain = Stabs(main, "x..x..x...x..x..");
  const Pattern stabOrbit = Stabs(orbit, "..x...x...x..x.x");
  const Pattern stabRows = Stabs(rows, "x.x...x.x...x...");
  const Pattern stabFinale = Stabs(finale, "x..x..x...x.x...");

  const Pattern themeMain = Melody(
      "A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 F5:3 E5:3 C5:2 A4:4 C5:2 D5:2 "
      "E5:2 G5:2 C6:4 B5:2 G5:2 E5:2 D5:2 D5:3 E5:3 B4:2 G4:4 B4:2 D5:2 "
      "A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 F5:3 E5:3 C5:2 A4:4 C5:2 D5:2 "
      "E5:2 G5:2 C6:3 D6:3 E6:4 D6:2 B5:4 G5:4 A5:8");
  const Pattern themeOrbit = Melody(
      "A5:6 G5:2 F5:4 E5:4 D5:6 E5:2 G5:4 B5:4 B5:6 A5:2 G5:4 E5:4 A5:10 -:2 E5:2 G5:2");
  const Pattern themeTunnel = Melody(
      "E5:2 G5:2 C6:2 G5:2 E5:2 G5:2 C6:2 D6:2 D6:4 B5:2 G5:2 D5:4 G5:4 "
      "C6:2 B5:2 A5:2 E5:2 A5:4 C6:4 C6:3 A5:3 F5:2 A5:4 G5:4");
  const Pattern themeRows = Melody(
      "A5:2 -:1 A5:1 C6:2 A5:2 E6:2 -:2 D6:2 C6:2 B5:2 -:1 B5:1 D6:2 B5:2 G5:4 B5:2 D6:2 "
      "C6:2 -:1 C6:1 A5:2 F5:2 A5:2 C6:2 F6:4 E6:4 D6:2 C6:2 B5:4 G#5:4");
  const Pattern teaser = Melody("A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 -:48");

  // Drums.
  const Pattern four = Steps("X...X...X...X...");
  const Pattern fourSoft = Steps("o...o...o...o...");
  const Pattern halfKick = Steps("X.........X.....");
  const Pattern breakKick = Steps("X.....X...X.....");
  const Pattern eighthKick = Steps("X.X.X.X.X.X.X.X.");
  // The punch sits on A3 in A minor and on B3 in the finale's B minor.
  const Pattern punchFull = Steps("X...X...X...X...", 60.f);
  const Pattern punchFour = Steps("o...o...o...o...", 58.f);
  const Pattern punchSoft = Steps(",...,...,...,...", 58.f);
  const Pattern backbeat = Steps("....X.......X...");
  const Pattern backbeatGhost = Steps("....X..,....X.,.");
  const Pattern halfSnare = Steps("........X.......");
  const Pattern hats16 = Steps("x,o,x,o,x,o,x,o,");
  const Pattern hats8 = Steps("x.o.x.o.x.o.x.o.");
  const Pattern hatsSoft = Steps(",.,.,.,.,.,.,.,.");
  const Pattern offbeatOpen = Steps("..x...x...x...x.");
  const Pattern roll2 = Roll(4.0);

  const DrumKit full{&four, &punchFour, &backbeat, &backbeat, &hats16, &offbeatOpen, 1.f};
  // In the finale the punch carries the beat and the sub steps back, so that the shell (band 6)
  // flashes brightly on every hit.
  const Pattern fourFinale = Steps("o...o...o...o...");
  const DrumKit finaleKit{&fourFinale, &punchFull, &backbeat, nullptr, &hats16, &offbeatOpen, 1.f};
  const DrumKit drive{&four, &punchSoft, &backbeatGhost, &backbeat, &hats16, &offbeatOpen, 1.f};
  const DrumKit half{&halfKick, nullptr, &halfSnare, nullptr, &hats8, nullptr, 0.9f};
  const DrumKit breakbeat{&breakKick, &punchSoft, &backbeat, nullptr, &hats16, nullptr, 0.95f};
  const DrumKit light{&fourSoft, nullptr, nullptr, nullptr, &hatsSoft, nullptr, 0.8f};
  const DrumKit groove{&four, &punchSoft, &backbeat, nullptr, &hats8, &offbeatOpen, 0.95f};

  // 0-30: out of the dark. Pad swells under the black fade, a bell line from 8 s.
  a.Section("fade-in", 0.0);
  a.Add(kPad, padSlow, 0.0, 30.0, {0, 0.35f, 1.f, -1.5f, -0.5f});
  a.Add(kBass, bassSlow, 0.0, 30.0, {0, 0.3f, 0.6f, -1.5f, -1.f});
  a.Hit(kRiser, 1.0, 60.f, 0.3f, 10.0, -2.f);
  a.Section("planet", 8.0);
  a.Add(kBell, arpSlow, 8.0, 30.0, {12, 0.5f, 0.9f, -1.f, 0.f});
  a.Add(kArp, arpDark, 20.0, 30.0, {0, 0.2f, 0.5f, -2.f, -1.f, 0.0});

  // 30-59.5: the credits. Each caption pair brings in another layer.
  a.Section("credits-visuals", 30.0);
  a.Crash(30.0, 0.6f);
  a.Drums(light, 30.0, 40.0, false);
  a.Add(kKick, halfKick, 30.0, 40.0, {0, 0.7f, 0.8f});
  a.Add(kPad, padSlow, 30.0, 40.0, {0, 0.9f, 0.9f, -0.5f, 0.f, 30.0});
  a.Add(kBass, bassOffbeat, 30.0, 40.0, {0, 0.6f, 0.8f, -1.5f, -0.8f});
  a.Add(kBell, arpSlow, 30.0, 40.0, {12, 0.8f, 0.8f, 0.f, 0.f, 30.0});

  a.Section("credits-music", 40.0);
  a.Crash(40.0, 0.8f);
  a.Drums(groove, 40.0, 50.0, true);
  a.Add(kPad, padMain, 40.0, 50.0, {0, 0.9f, 0.9f});
  a.Add(kBass, bassOffbeat, 40.0, 50.0, {0, 0.85f, 0.9f, -0.8f, -0.3f});
  a.Add(kArp, arpMain, 40.0, 50.0, {0, 0.5f, 0.7f, -1.5f, -0.5f});

  a.Section("credits-boozing", 50.0);
  a.Crash(50.0);
  a.Drums(drive, 50.0, 59.5, false);
  a.Add(kPad, padMain, 50.0, 59.5, {0, 0.9f, 1.f});
  a.Add(kBass, bassOffbeat, 50.0, 59.5, {0, 0.9f, 1.f, -0.3f, 0.f});
  a.Add(kArp, arpMain, 50.0, 59.5, {0, 0.7f, 0.8f, -0.5f, 0.f});
  a.Add(kLead, teaser, 50.0, 59.5, {0, 0.6f, 0.7f, -1.f, -0.5f});

  // 59.5-61.5: the picture inverts; everything rushes upward into the drop.
  a.Section("inversion-build", 59.5);
  a.Add(kSnare, roll2, 59.5, 61.5);
  a.Add(kKick, eighthKick, 59.5, 61.0, {0, 0.6f, 1.f});
  a.Hit(kRiser, 59.5, 60.f, 1.f, 4.0);
  a.Add(kArp, arpLaser, 59.5, 61.5, {0, 0.6f, 1.f, -1.f, 1.5f});
  a.Add(kPad, padMain, 59.5, 61.5, {0, 1.f, 1.f, 0.f, 1.f, 59.5});

  // 61.5-85.5: the drop, main theme.
  a.Section("drop", 61.5);
  a.Crash(61.5);
  a.Hit(kImpact, 61.5, 60.f, 0.7f);
  a.Drums(full, 61.5, 85.5, true);
  a.Add(kBass, bassDrive, 61.5, 85.5);
  a.Add(kPad, padMain, 61.5, 85.5, {0, 0.8f, 0.8f});
  a.Add(kLead, themeMain, 61.5, 85.5);
  a.Add(kStab, stabMain, 77.5, 85.5, {0, 0.5f, 0.8f});
  a.Add(kArp, arpMain, 61.5, 85.5, {12, 0.4f, 0.6f, -0.5f, 0.5f});

  // 85.5-92.5: pillar field, a half-time breather with the arp up front.
  a.Section("pillar-field", 85.5);
  a.Crash(85.5, 0.7f);
  a.Drums(half, 85.5, 92.5, true);
  a.Add(kBass, bassOffbeat, 85.5, 92.5, {0, 0.8f, 0.8f});
  a.Add(kPad, padMain, 85.5, 92.5);
  a.Add(kArp, arpMain, 85.5, 92.5, {0, 0.9f, 1.f, 0.f, 1.f});
  a.Add(kBell, themeMain, 85.5, 92.5, {0, 0.6f, 0.6f});

  // 92.5-103: the dolphins again, the theme's second half an octave up.
  a.Section("dolphin-reprise", 92.5);
  a.Crash(92.5);
  a.Drums(full, 92.5, 103.0, true);
  a.Add(kBass, bassDrive, 92.5, 103.0);
  a.Add(kPad, padMain, 92.5, 103.0, {0, 0.8f, 0.8f});
  a.Add(kLead, themeMain, 92.5, 103.0, {12, 0.8f, 0.8f, 0.f, 0.f, 92.5 - 8.0});
  a.Add(kStab, stabMain, 92.5, 103.0, {0, 0.7f, 0.8f});

  // 103-115: the totems, dark and pulsing; lasers from 109 with a climbing arp and a roll.
  a.Section("totem", 103.0);
  a.Hit(kImpact, 103.0, 60.f, 0.5f);
  a.Drums(breakbeat, 103.0, 109.0, false);
  a.Add(kBass, bassDark, 103.0, 115.0);
  a.Add(kPad, padDark, 103.0, 115.0, {0, 0.9f, 1.f, -1.f, 0.f});
  a.Add(kArp, arpDark, 103.0, 109.0, {0, 0.8f, 0.9f, -0.5f, 0.f});
  a.Section("lasers", 109.0);
  a.Crash(109.0, 0.7f);
  a.Drums(drive, 109.0, 113.0, false);
  a.Add(kArp, arpLaser, 109.0, 115.0, {12, 0.7f, 1.f, 0.f, 1.5f});
  a.Add(kSnare, roll2, 113.0, 115.0);
  a.Hit(kRiser, 111.0, 60.f, 0.9f, 8.0);
  a.Add(kKick, eighthKick, 113.0, 114.5);

  // 115: the blast. One huge hit, then the reverb rings into the next scene.
  a.Section("blast", 115.0);
  a.Hit(kImpact, 115.0, 60.f, 1.f);
  a.Crash(115.0);
  a.Hit(kKick, 115.0, 60.f, 1.f);
  a.Hit(kPunch, 115.0, 58.f, 1.f);
  a.Chord(kStab, 115.0, {A1, true}, 1.5, 1.f);
  a.Hit(kBass, 115.0, A1, 1.f, 3.0);

  // 116-156: the second theme, three scenes building on each other.
  a.Section("figure-orbit", 116.0);
  a.Drums(groove, 116.0, 130.0, true);
  a.Add(kBass, bassOrbit, 116.0, 130.0, {0, 0.9f, 1.f});
  a.Add(kPad, padOrbit, 116.0, 130.0);
  a.Add(kLead, themeOrbit, 116.0, 130.0, {0, 0.9f, 0.9f, -0.5f, 0.f});
  a.Add(kArp, arpOrbit, 116.0, 130.0, {0, 0.6f, 0.8f, -1.f, 0.f});

  a.Section("shaft", 130.0);
  a.Crash(130.0);
  a.Drums(full, 130.0, 143.0, true);
  a.Add(kBass, bassOrbit, 130.0, 143.0);
  a.Add(kPad, padOrbit, 130.0, 143.0, {0, 0.8f, 0.8f});
  a.Add(kLead, themeOrbit, 130.0, 143.0);
  a.Add(kStab, stabOrbit, 130.0, 143.0, {0, 0.7f, 0.8f});
  a.Add(kArp, arpOrbit, 130.0, 143.0, {12, 0.6f, 0.6f});

  a.Section("deformed", 143.0);
  a.Crash(143.0);
  a.Drums(full, 143.0, 156.0, true);
  a.Add(kBass, bassDrive, 143.0, 156.0, {0, 1.f, 1.f, 0.3f, 0.3f});
  a.Add(kPad, padOrbit, 143.0, 156.0, {0, 0.8f, 0.8f});
  a.Add(kLead, themeOrbit, 143.0, 156.0, {12, 0.75f, 0.75f});
  a.Add(kBell, themeOrbit, 143.0, 156.0, {0, 0.8f, 0.8f});
  a.Add(kStab, stabOrbit, 143.0, 156.0, {0, 0.8f, 0.8f});

  // 156-161: the break. Drums out; three stabs speak the three words; a rush into 161.
  a.Section("break", 156.0);
  a.Add(kPad, padBreak, 156.0, 161.0, {0, 1.f, 1.f, -1.f, 0.f});
  a.Add(kBass, bassBreak, 156.0, 161.0, {0, 0.7f, 0.7f, -1.f, -1.f});
  a.Add(kBell, teaser, 156.0, 158.5, {12, 0.7f, 0.7f});
  a.Hit(kImpact, 156.0, 60.f, 0.6f);
  a.Section("word-grom", 158.6);
  a.Chord(kStab, 158.6, {D2, true}, 0.35, 1.f);
  a.Hit(kTom, 158.6, 60.f, 1.f);
  a.Section("word-your", 158.8);
  a.Chord(kStab, 158.8, {F1, false}, 0.35, 1.f);
  a.Hit(kTom, 158.8, 64.f, 1.f);
  a.Section("word-eyes", 159.3);
  a.Chord(kStab, 159.3, {E1, false}, 1.0, 1.f);
  a.Hit(kTom, 159.3, 67.f, 1.f);
  a.Hit(kCrash, 159.3, 60.f, 0.6f);
  a.Hit(kRiser, 159.5, 60.f, 0.8f, 3.0);
  a.Add(kSnare, roll2, 160.0, 161.0);

  // 161-188.5: the metaballs, the main theme at full power with four variations.
  a.Section("metaballs", 161.0);
  a.Crash(161.0);
  a.Hit(kImpact, 161.0, 60.f, 0.8f);
  a.Drums(full, 161.0, 168.0, true);
  a.Add(kBass, bassDrive, 161.0, 188.5);
  a.Add(kPad, padMain, 161.0, 188.5, {0, 0.8f, 0.8f});
  a.Add(kLead, themeMain, 161.0, 188.5);
  a.Add(kStab, stabMain, 161.0, 168.0, {0, 0.7f, 0.7f});

  a.Section("metaballs-arp", 168.0);
  a.Crash(168.0, 0.8f);
  a.Drums(full, 168.0, 175.0, true);
  a.Add(kArp, arpMain, 168.0, 188.5, {12, 0.7f, 0.8f, 0.f, 0.5f});

  a.Section("metaballs-break", 175.0);
  a.Crash(175.0, 0.8f);
  a.Drums(breakbeat, 175.0, 181.5, true);
  a.Add(kBell, arpMain, 175.0, 181.5, {12, 0.7f, 0.7f});

  a.Section("metaballs-peak", 181.5);
  a.Crash(181.5);
  a.Drums(full, 181.5, 186.5, false);
  a.Add(kStab, stabMain, 181.5, 188.5, {0, 0.8f, 1.f});
  a.Add(kSnare, roll2, 186.5, 188.5);
  a.Hit(kRiser, 186.5, 60.f, 0.7f, 4.0);

  // 188.5-209: tunnel and greetings, a brighter tune in C.
  a.Section("tunnel", 188.5);
  a.Crash(188.5);
  a.Drums(groove, 188.5, 209.0, true);
  a.Add(kBass, bassTunnel, 188.5, 209.0);
  a.Add(kPad, padTunnel, 188.5, 209.0);
  a.Add(kLead, themeTunnel, 196.5, 209.0, {0, 0.9f, 1.f, -0.5f, 0.f});
  a.Add(kBell, themeTunnel, 188.5, 196.5, {0, 0.9f, 0.9f});
  a.Add(kArp, arpTunnel, 188.5, 209.0, {0, 0.7f, 0.7f});

  // 209-236: the pillar rows, one layer more with every variant.
  a.Section("pillar-rows", 209.0);
  a.Crash(209.0);
  a.Hit(kImpact, 209.0, 60.f, 0.6f);
  a.Drums(drive, 209.0, 228.0, false);
  a.Add(kBass, bassRows, 209.0, 236.0);
  a.Add(kPad, padRows, 209.0, 236.0, {0, 0.8f, 0.9f});
  a.Add(kArp, arpRows, 209.0, 236.0, {12, 0.5f, 0.8f, -1.f, 0.5f});
  a.Section("pillar-rows-lead", 216.0);
  a.Crash(216.0, 0.8f);
  a.Add(kLead, themeRows, 216.0, 236.0);
  // 222.8 is off the beat grid: a hit marks it while the loops run on.
  a.Section("pillar-rows-hit", 222.8);
  a.Crash(222.8);
  a.Chord(kStab, 222.8, {F1, false}, 0.5, 1.f);
  a.Hit(kImpact, 222.8, 60.f, 0.5f);
  a.Add(kStab, stabRows, 223.0, 228.0, {0, 0.7f, 0.8f, 0.f, 0.f, 209.0});
  a.Section("pillar-rows-full", 228.0);
  a.Crash(228.0);
  a.Drums(full, 228.0, 236.0, true);
  a.Add(kStab, stabRows, 228.0, 236.0, {0, 0.9f, 0.9f, 0.f, 0.f, 209.0});

  // 236-250: the spike ball, driving sixteenths; band 4 pushes the ball at every kick.
  a.Section("spike-ball", 236.0);
  a.Crash(236.0);
  a.Hit(kImpact, 236.0, 60.f, 0.7f);
  a.Drums(drive, 236.0, 246.0, false);
  a.Add(kBass, bassSpike, 236.0, 250.0);
  a.Add(kPad, padSpike, 236.0, 250.0, {0, 0.8f, 1.f});
  a.Add(kArp, arpSpike, 236.0, 250.0, {0, 0.6f, 0.9f, -1.f, 1.f});
  a.Add(kStab, Stabs(spike, "x.....x.....x..."), 236.0, 250.0, {0, 0.6f, 0.7f});
  a.Add(kSnare, Roll(8.0), 246.0, 250.0);
  a.Add(kKick, eighthKick, 248.0, 249.5);
  a.Hit(kRiser, 246.0, 60.f, 1.f, 8.0);

  // 250-277: the finale in B minor, everything at once; kick and punch on every beat light
  // the shell.
  a.Section("finale", 250.0);
  a.Crash(250.0);
  a.Hit(kImpact, 250.0, 60.f, 1.f);
  a.Drums(finaleKit, 250.0, 277.0, true);
  a.Add(kBass, bassFinale, 250.0, 277.0, {0, 0.8f, 0.8f});
  a.Add(kPad, padFinale, 250.0, 277.0, {0, 0.7f, 0.7f});
  a.Add(kLead, themeMain, 250.0, 277.0, {2, 0.9f, 0.9f});
  a.Add(kBell, themeMain, 258.0, 277.0, {14, 0.5f, 0.6f});
  a.Add(kStab, stabFinale, 250.0, 277.0, {0, 0.6f, 0.6f});
  a.Add(kArp, arpFinale, 250.0, 277.0, {12, 0.4f, 0.6f});

  // 277-282: the explosion, the white-out, and the last chord.
  a.Section("explosion", 277.0);
  a.Hit(kImpact, 277.0, 60.f, 1.f);
  a.Crash(277.0);
  a.Hit(kKick, 277.0, 60.f, 1.f);
  a.Hit(kPunch, 277.0, 60.f, 1.f);
  a.Chord(kStab, 277.0, {B1, true}, 2.0, 1.f);
  a.Hit(kBass, 277.0, B1, 1.f, 2.0);
  a.Add(kPad, padFinale, 277.0, 278.0, {0, 0.9f, 0.9f, 0.f, 0.f, 250.0});
  a.Section("white-out", 278.0);
  a.Chord(kPad, 278.0, {G1, false}, 2.0, 1.f);
  a.Hit(kRiser, 278.0, 60.f, 0.6f, 8.0);
  a.Section("white", 279.0);
  a.Chord(kPad, 279.0, {A1, false}, 6.0, 1.f);
  for (int i = 0; i < 12; ++i) a.Hit(kTom, 279.0 + i * 0.25, 60.f + (i % 4 == 0 ? 0.f : -5.f), 0.4f + 0.05f * i);
  a.Section("ending", 282.0);
  a.Hit(kImpact, 282.0, 60.f, 1.f);
  a.Crash(282.0);
  a.Hit(kKick, 282.0, 60.f, 1.f);
  a.Chord(kStab, 282.0, {B1, true}, 4.0, 1.f);
  a.Chord(kPad, 282.0, {B1, true}, 6.0, 1.f);
  a.Hit(kBass, 282.0, B1, 1.f, 4.0);
  a.Hit(kBell, 282.0, B1 + 36, 0.9f, 4.0);
  return song;
}

}  // namespace synth
