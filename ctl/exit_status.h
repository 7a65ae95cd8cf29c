#pragma once
// The exit statuses of kx7140ctl, as --help documents them, so that a script can
// tell a silent bus from a controller that would not confirm.

namespace ctl::exit_status {

inline constexpr int kDone = 0;
inline constexpr int kNotConfirmed = 1;  // turns came, the confirmation did not; or not sent
inline constexpr int kDiffers = 1;       // verify, check, diff: something was listed
inline constexpr int kUsage = 2;
inline constexpr int kFile = 3;
inline constexpr int kPort = 4;
inline constexpr int kNoTurn = 5;  // nothing gave the PC its turn
inline constexpr int kInterrupted = 130;

}  // namespace ctl::exit_status
