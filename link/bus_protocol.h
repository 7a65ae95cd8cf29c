#pragma once
// The numbers of the controller's bus that every reader and writer of its frames
// agrees on: which station sits at which address, the function codes, the items of a
// CPU command and the size of a memory block.

namespace bus {

// Stations by bus address. The eight triac cards sit at 32 to 39.
inline constexpr int kCpuStation = 1;
inline constexpr int kPcStation = 16;  // a frame to it hands the PC its turn
inline constexpr int kGpsStation = 19;
inline constexpr int kDetectorStation = 20;
inline constexpr int kFirstCardStation = 32;
inline constexpr int kLastCardStation = 39;

constexpr bool IsCardStation(int address) {
  return address >= kFirstCardStation && address <= kLastCardStation;
}

// Function codes.
inline constexpr int kReadRegistersFunction = 3;
inline constexpr int kWriteRegisterFunction = 6;
inline constexpr int kExceptionFunction = 134;  // the exception reply to a register write
inline constexpr int kCardStatusFunction = 206;
inline constexpr int kCommandFunction = 207;      // a CPU command, and the CPU's data reply
inline constexpr int kAcknowledgeFunction = 208;  // the CPU confirms a written item

// The CPU card's register block, read in every poll cycle.
inline constexpr int kCpuRegisterBase = 0x2000;
inline constexpr int kCpuRegisterCount = 16;

// Directions of a CPU command.
inline constexpr int kCommandRead = 0;
inline constexpr int kCommandWrite = 1;

// Items of a CPU command.
inline constexpr int kSystemItem = 2;
inline constexpr int kClockItem = 3;
inline constexpr int kBlockItem = 4;
inline constexpr int kServiceItem = 99;

// Bytes of memory one block read or block write carries.
inline constexpr int kBlockBytes = 128;

}  // namespace bus
