#include "OsVersion.h"

namespace SimulatedDesktop {

namespace {

// Each type bit has three bits of condition in the mask, at these positions.
constexpr int kMinorShift = 0;
constexpr int kMajorShift = 3;
constexpr int kBuildShift = 6;
constexpr int kPlatformShift = 9;
constexpr int kServicePackMinorShift = 12;
constexpr int kServicePackMajorShift = 15;
constexpr int kSuiteShift = 18;
constexpr int kProductShift = 21;

BYTE ConditionAt(DWORDLONG conditions, int shift) { return static_cast<BYTE>(conditions >> shift & 0x07); }

bool Satisfies(DWORD actual, DWORD wanted, BYTE condition)
{
    switch (condition) {
    case VER_EQUAL:
        return actual == wanted;
    case VER_GREATER:
        return actual > wanted;
    case VER_GREATER_EQUAL:
        return actual >= wanted;
    case VER_LESS:
        return actual < wanted;
    case VER_LESS_EQUAL:
        return actual <= wanted;
    default:
        return false;
    }
}

DWORD Compare(DWORD actual, DWORD wanted, BYTE condition)
{
    return Satisfies(actual, wanted, condition) ? ERROR_SUCCESS : ERROR_OLD_WIN_VERSION;
}

// Major, minor and service-pack numbers form one version: the first field's
// condition carries on to the later fields unless they name a compatible one
// of their own, so (6.2 SP0, all >=) also accepts 10.0 with any service pack.
BYTE NextCondition(BYTE& carried, BYTE condition)
{
    switch (carried) {
    case 0:
        carried = condition;
        break;
    case VER_EQUAL:
        if (condition >= VER_EQUAL && condition <= VER_LESS_EQUAL) {
            carried = condition;
            return condition;
        }
        break;
    case VER_GREATER:
    case VER_GREATER_EQUAL:
        if (condition >= VER_EQUAL && condition <= VER_GREATER_EQUAL) {
            return condition;
        }
        break;
    case VER_LESS:
    case VER_LESS_EQUAL:
        if (condition == VER_EQUAL || (condition >= VER_LESS && condition <= VER_LESS_EQUAL)) {
            return condition;
        }
        break;
    default:
        break;
    }
    if (condition == 0) {
        carried |= 0x10;
    }
    return static_cast<BYTE>(carried & 0x0F);
}

bool IsOrdering(BYTE condition) { return condition >= VER_EQUAL && condition <= VER_LESS_EQUAL; }

}  // namespace

void OsVersion::Set(DWORD majorVersion, DWORD minorVersion, WORD servicePackMajorVersion)
{
    major = majorVersion;
    minor = minorVersion;
    servicePackMajor = servicePackMajorVersion;
}

DWORD OsVersion::Verify(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const
{
    if (typeMask == 0 || conditions == 0) {
        return ERROR_BAD_ARGUMENTS;
    }
    const DWORD plain = VerifyPlainFields(wanted, typeMask, conditions);
    if (plain != ERROR_SUCCESS) {
        return plain;
    }
    return VerifyVersionNumbers(wanted, typeMask, conditions);
}

DWORD OsVersion::VerifyPlainFields(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const
{
    DWORD result = ERROR_SUCCESS;
    if ((typeMask & VER_PRODUCT_TYPE) != 0) {
        result = Compare(productType, wanted.wProductType, ConditionAt(conditions, kProductShift));
    }
    if (result == ERROR_SUCCESS && (typeMask & VER_SUITENAME) != 0) {
        result = VerifySuite(wanted.wSuiteMask, ConditionAt(conditions, kSuiteShift));
    }
    if (result == ERROR_SUCCESS && (typeMask & VER_PLATFORMID) != 0) {
        result = Compare(platformId, wanted.dwPlatformId, ConditionAt(conditions, kPlatformShift));
    }
    if (result == ERROR_SUCCESS && (typeMask & VER_BUILDNUMBER) != 0) {
        result = Compare(build, wanted.dwBuildNumber, ConditionAt(conditions, kBuildShift));
    }
    return result;
}

DWORD OsVersion::VerifySuite(WORD wantedSuite, BYTE condition) const
{
    switch (condition) {
    case VER_AND:
        return (wantedSuite & suiteMask) == wantedSuite ? ERROR_SUCCESS : ERROR_OLD_WIN_VERSION;
    case VER_OR:
        return wantedSuite == 0 || (wantedSuite & suiteMask) != 0 ? ERROR_SUCCESS : ERROR_OLD_WIN_VERSION;
    default:
        return ERROR_BAD_ARGUMENTS;
    }
}

DWORD OsVersion::VerifyVersionNumbers(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const
{
    struct Field {
        DWORD type;
        int shift;
        DWORD actual;
        DWORD wanted;
    };
    const Field fields[] = {
        {VER_MAJORVERSION, kMajorShift, major, wanted.dwMajorVersion},
        {VER_MINORVERSION, kMinorShift, minor, wanted.dwMinorVersion},
        {VER_SERVICEPACKMAJOR, kServicePackMajorShift, servicePackMajor, wanted.wServicePackMajor},
        {VER_SERVICEPACKMINOR, kServicePackMinorShift, servicePackMinor, wanted.wServicePackMinor},
    };
    // A later field is looked at only while the earlier ones are equal: 10.0
    // is at least 6.2 whatever its minor number says.
    DWORD result = ERROR_SUCCESS;
    BYTE carried = 0;
    for (const Field& field : fields) {
        if ((typeMask & field.type) == 0) {
            continue;
        }
        const BYTE condition = NextCondition(carried, ConditionAt(conditions, field.shift));
        result = Compare(field.actual, field.wanted, condition);
        if (field.actual != field.wanted || !IsOrdering(condition)) {
            break;
        }
    }
    return result;
}

}  // namespace SimulatedDesktop
