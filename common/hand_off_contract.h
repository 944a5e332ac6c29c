// The hand-off between the connector and the updater, in one place: both
// programs build on these files, words, sizes and times.
//
// The connector zeroes both flag files at its start, starts the updater
// hidden once its line is up, and then reads "config\EndTransfer.ini" every
// kEndTransferPollMs. A file that starts with a zero byte means "not yet"; the
// first non-empty line is the updater's word, after which the connector
// zeroes the flag again and goes on. A missing or empty file means that no
// word will come, so the connector goes on at once: the updater therefore
// writes its word over the zeros and then cuts the file to the word's
// length, never leaving the file empty, not even for a moment.
//
// "YES" asks for a restart: the connector writes the grant into
// "config\Receive.ini" and closes itself, which hangs up and lets go of every
// file it holds. The updater reads that file every kReceivePollMs; once it
// finds the grant, it uses it up (zeroes the flag), replaces the files that
// the connector held (giving it kConnectorLetGoMs to end), and starts the
// connector again.
#pragma once

#include <cstddef>
#include <string_view>

namespace hand_off {

// Both files live in the program's "config" directory.
inline constexpr std::string_view kEndTransferFile = "EndTransfer.ini";
inline constexpr std::string_view kReceiveFile = "Receive.ini";

// A flag is 10 bytes; a reader takes its first line into a 10-byte buffer,
// so a word has at most 9 bytes and no line end.
inline constexpr std::size_t kFlagSize = 10;
inline constexpr std::size_t kMaxWord = kFlagSize - 1;

// Words of "EndTransfer.ini", written by the updater.
inline constexpr std::string_view kNothingToUpdate = "NO";
inline constexpr std::string_view kUpdated = "UPDATE";  // also: the update was given up
inline constexpr std::string_view kRestartWanted = "YES";
// The connector's grant in "Receive.ini": this word followed by zero bytes
// up to kFlagSize.
inline constexpr std::string_view kRestartGranted = "YES";

static_assert(kNothingToUpdate.size() <= kMaxWord);
static_assert(kUpdated.size() <= kMaxWord);
static_assert(kRestartWanted.size() <= kMaxWord);
static_assert(kRestartGranted.size() <= kMaxWord);

// Times in milliseconds.
inline constexpr int kEndTransferPollMs = 300;
inline constexpr int kReceivePollMs = 3000;
// From the updater's reading of the grant until the connector has ended and
// let go of its files: its hang-up may take some seconds.
inline constexpr int kConnectorLetGoMs = 15000;

// The word in a flag's bytes as a reader sees it: the first line, up to a
// zero byte or the line end (LF or CR LF), at most kMaxWord bytes.
std::string_view FlagWord(std::string_view bytes);

} // namespace hand_off
