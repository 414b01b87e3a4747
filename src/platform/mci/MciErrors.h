#pragma once

#include <QString>

namespace luma::mci {

// Result numbers of device commands, as the platform numbers them (base 256).
enum Error : int {
    kOk = 0,
    kInvalidDeviceId = 257,
    kUnrecognizedKeyword = 259,
    kUnrecognizedCommand = 261,
    kHardware = 262,
    kInvalidDeviceName = 263,  // the alias is not open, or no such device
    kDeviceOpen = 265,         // the alias is open already
    kCannotLoadDriver = 266,
    kMissingCommandString = 267,
    kBadInteger = 270,
    kMissingParameter = 273,
    kUnsupportedFunction = 274,
    kFileNotFound = 275,
    kDeviceNotReady = 276,  // no disc, no sound device
    kInternal = 277,
    kOutOfRange = 282,
    kDuplicateAlias = 289,
    kBadTimeFormat = 293,
    kInvalidFile = 296,  // a file of no format the device can play
    kDeviceNotInstalled = 306,
    kFileRead = 348,
};

// A short English text for a result number, as the command-line tool prints it.
QString errorText(int error);

}  // namespace luma::mci
