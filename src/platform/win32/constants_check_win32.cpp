// The portable code carries copies of a few system values so that it never includes
// <windows.h>; here every copy is checked against the system's headers once.
#include <windows.h>

#include <shlobj.h>

#include <cstdint>

#include "platform/dialogs.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace ostrel {

static_assert(kStillActive == STILL_ACTIVE);
static_assert(kSwHide == SW_HIDE);
static_assert(kSwNormal == SW_SHOWNORMAL);
static_assert(kSwShow == SW_SHOW);

static_assert(mb::Ok == MB_OK);
static_assert(mb::YesNo == MB_YESNO);
static_assert(mb::Critical == MB_ICONHAND);
static_assert(mb::Question == MB_ICONQUESTION);
static_assert(mb::Exclamation == MB_ICONEXCLAMATION);
static_assert(mb::IdOk == IDOK);
static_assert(mb::IdYes == IDYES);
static_assert(mb::IdNo == IDNO);

// The hive handles are pointers made from 32-bit numbers, sign-extended as the registry
// layer extends them. The system's macros cast to HKEY, which here names an integer, so
// they can be read in a constant expression.
namespace hive {
using HKEY = std::uintptr_t;
inline constexpr HKEY ClassesRoot = HKEY_CLASSES_ROOT;
inline constexpr HKEY CurrentUser = HKEY_CURRENT_USER;
inline constexpr HKEY LocalMachine = HKEY_LOCAL_MACHINE;
inline constexpr HKEY Users = HKEY_USERS;
constexpr HKEY extended(RegKeyHandle key) {
    return static_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
}
} // namespace hive
static_assert(hive::ClassesRoot == hive::extended(hkey::ClassesRoot));
static_assert(hive::CurrentUser == hive::extended(hkey::CurrentUser));
static_assert(hive::LocalMachine == hive::extended(hkey::LocalMachine));
static_assert(hive::Users == hive::extended(hkey::Users));
static_assert(regtype::None == REG_NONE);
static_assert(regtype::Sz == REG_SZ);
static_assert(regtype::ExpandSz == REG_EXPAND_SZ);
static_assert(regtype::Binary == REG_BINARY);
static_assert(regtype::Dword == REG_DWORD);
static_assert(regtype::MultiSz == REG_MULTI_SZ);
static_assert(keyaccess::Read == KEY_READ);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);

static_assert(bif::ReturnOnlyFsDirs == BIF_RETURNONLYFSDIRS);
static_assert(bif::NewDialogStyle == BIF_NEWDIALOGSTYLE);

} // namespace ostrel
