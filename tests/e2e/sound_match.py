#!/usr/bin/env python3
"""Where pieces of the show's track lie in a recording of the sink, both mono float32 at 44.1 kHz.

  onset REC TRACK                     the recording's second at which the track's 0 plays
  inline REC TRACK ONSET SECONDS      the lag and correlation of every 5 s piece of the track's first
                                      SECONDS, how many were found (correlation 0.5 or more), the
                                      spread of their lags and the gaps in the sound
  latest REC TRACK ONSET              where the track's 0 lies by the last whole second recorded
  resume REC TRACK                    the first sound in REC and the track's second it plays

A gap is a stretch the sound server filled with silence (an underrun): each one puts the sound,
and the clock that follows the samples the device takes, one period later for good.
"""
import sys

import numpy as np

RATE = 44100


def load(path):
    return np.fromfile(path, dtype="<f4").astype(np.float64)


def match(piece, region):
    """The offset in region where piece fits best, and the normalised correlation there."""
    n, m = len(piece), len(region)
    if m < n or n == 0:
        return 0, 0.0
    size = 1 << int(np.ceil(np.log2(n + m)))
    corr = np.fft.irfft(np.fft.rfft(region, size) * np.conj(np.fft.rfft(piece, size)), size)[: m - n + 1]
    energy = np.concatenate(([0.0], np.cumsum(region**2)))
    window = np.sqrt(np.maximum(energy[n:] - energy[:-n], 1e-20))
    ncc = corr / (window * np.sqrt(np.sum(piece**2)) + 1e-20)
    k = int(np.argmax(ncc))
    return k, float(ncc[k])


def onset(rec, track):
    """The first of the track's first seconds found whole, and so where its 0 lies: the sound
    may stutter while the show starts on a busy machine."""
    loud = np.flatnonzero(np.abs(rec) > 1e-4)
    if len(loud) == 0:
        return None
    for t in range(6):
        lo = max(0, loud[0] + (t * 2 - 1) * RATE // 2)
        k, ncc = match(track[t * RATE : (t + 1) * RATE], rec[lo : loud[0] + (t + 3) * RATE])
        if ncc > 0.95:
            return (lo + k) / RATE - t
    return None


def piece_lags(rec, track, at, seconds, piece_seconds, slack=1.0):
    """Lag (s) of each piece_seconds piece of the track's first seconds, within slack of where at
    puts it."""
    lags = []
    for t in np.arange(0, seconds - piece_seconds + 1e-9, piece_seconds):
        piece = track[int(t * RATE) : int((t + piece_seconds) * RATE)]
        lo = max(0, int((at + t - slack) * RATE))
        k, ncc = match(piece, rec[lo : int((at + t + piece_seconds + slack) * RATE)])
        lags.append(((lo + k) / RATE - at - t, ncc))
    return lags


def gaps(rec, track, at, seconds):
    """Stretches where the recording is all but silent and the track is not: how many, and their
    milliseconds in all (counted in 2.5 ms windows, so each may be up to 5 ms short)."""
    window = RATE // 400
    count, silent_windows, inside = 0, 0, False
    lags = piece_lags(rec, track, at, seconds, 1.0)
    for w in range(int(seconds * 400)):
        start = int((at + lags[min(w // 400, len(lags) - 1)][0]) * RATE) + w * window
        heard, played = rec[start : start + window], track[w * window : (w + 1) * window]
        loud = np.sqrt(np.mean(played**2))
        silent = len(heard) == window and loud > 5e-3 and np.sqrt(np.mean(heard**2)) < 0.1 * loud
        if silent and not inside:
            count += 1
        silent_windows += silent
        inside = silent
    return count, silent_windows * 1000 * window / RATE


def main():
    mode, rec, track = sys.argv[1], load(sys.argv[2]), load(sys.argv[3])
    if mode == "onset":
        at = onset(rec, track)
        if at is None:
            return 1
        print(f"{at:.4f}")
    elif mode == "inline":
        lags = piece_lags(rec, track, float(sys.argv[4]), float(sys.argv[5]), 5.0)
        values = [lag for lag, ncc in lags if ncc >= 0.5]
        count, silent_ms = gaps(rec, track, float(sys.argv[4]), float(sys.argv[5]))
        spread = 1000 * (max(values) - min(values)) if values else 1e9
        print(" ".join(f"{lag * 1000:.1f}/{ncc:.2f}" for lag, ncc in lags), f"found {len(values)} of {len(lags)}",
              f"spread {spread:.1f}", f"gaps {count}", f"gap-ms {silent_ms:.1f}", f"drift {1000 * (lags[-1][0] - lags[0][0]):.1f}")
    elif mode == "latest":
        at = float(sys.argv[4])
        lags = piece_lags(rec, track, at, int(len(rec) / RATE - at - 3), 1.0, slack=3.0)
        print(f"{at + lags[-1][0]:.4f}")
    elif mode == "resume":
        window = RATE // 100
        rms = np.sqrt(np.convolve(rec**2, np.ones(window) / window, mode="valid"))
        loud = np.flatnonzero(rms > 1e-3)
        if len(loud) == 0 or len(rec) < loud[0] + 2 * RATE:
            return 1
        first = loud[0]
        k, ncc = match(rec[first + RATE // 2 : first + 2 * RATE], track)
        print(f"{first / RATE:.4f} {k / RATE - 0.5:.4f} {ncc:.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
