#include "platform/mci/MciErrors.h"

namespace luma::mci {

QString errorText(int error) {
    switch (error) {
        case kOk:
            return QStringLiteral("The command succeeded.");
        case kInvalidDeviceId:
            return QStringLiteral("Invalid device ID.");
        case kUnrecognizedKeyword:
            return QStringLiteral("The command contains an unrecognized keyword.");
        case kUnrecognizedCommand:
            return QStringLiteral("The command is not recognized.");
        case kHardware:
            return QStringLiteral("The device failed.");
        case kInvalidDeviceName:
            return QStringLiteral("The device is not open or is not recognized.");
        case kDeviceOpen:
            return QStringLiteral("The device is already open under that name.");
        case kCannotLoadDriver:
            return QStringLiteral("The device driver cannot be loaded.");
        case kMissingCommandString:
            return QStringLiteral("No command was given.");
        case kBadInteger:
            return QStringLiteral("A number in the command is not valid.");
        case kMissingParameter:
            return QStringLiteral("The command is missing a parameter.");
        case kUnsupportedFunction:
            return QStringLiteral("The device cannot do that.");
        case kFileNotFound:
            return QStringLiteral("The file cannot be found.");
        case kDeviceNotReady:
            return QStringLiteral("The device is not ready (no disc, or no sound output).");
        case kInternal:
            return QStringLiteral("Internal error.");
        case kOutOfRange:
            return QStringLiteral("A position is out of range.");
        case kDuplicateAlias:
            return QStringLiteral("The alias is already in use.");
        case kBadTimeFormat:
            return QStringLiteral("The time format is not valid.");
        case kInvalidFile:
            return QStringLiteral("The file cannot be played by this device.");
        case kDeviceNotInstalled:
            return QStringLiteral("The device is not installed.");
        case kFileRead:
            return QStringLiteral("The file cannot be read.");
        default:
            return QStringLiteral("Unknown error %1.").arg(error);
    }
}

}  // namespace luma::mci
