// Who may read a copy made of a file's content: no more people than may read the file.
#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "platform/core/Atomfile.h"
#include "platform/core/Atommark.h"

namespace {

constexpr const char* kAccessAcl = "system.posix_acl_access";
constexpr mode_t kPermissionBits = S_IRWXU | S_IRWXG | S_IRWXO;

}  // namespace

// The file's ACL holds its group's own entry, and its mask stands in the mode's group bits: where
// the copy cannot take the ACL, those bits may be more than the group had, and they go. An ACL
// the copy took from its folder's default goes first, so that the mode does not open it up.
void CAtomicFile::GiveCopyAccessOf(const CString& copy, const CString& file)
{
  struct stat of
  {
  }, made{};
  if (file.IsEmpty() || ::stat(file.c_str(), &of) != 0 || ::lstat(copy.c_str(), &made) != 0 || !S_ISREG(made.st_mode))
    return;
  std::vector<char> acl;
  const bool fileHasAcl = ReadAttribute(file, kAccessAcl, acl);
  if (::removexattr(copy.c_str(), kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP)
    return;
  // The group's bits are for the file's group: a copy left in another group gets none.
  const bool sameGroup = made.st_gid == of.st_gid || ::lchown(copy.c_str(), static_cast<uid_t>(-1), of.st_gid) == 0;
  const mode_t mode = of.st_mode & kPermissionBits;
  const bool groupBits =
      sameGroup && (!fileHasAcl || ::setxattr(copy.c_str(), kAccessAcl, acl.data(), acl.size(), 0) == 0);
  // After the ACL, whose mask the mode then sets from the file's group bits, as the file has it.
  ::chmod(copy.c_str(), groupBits ? mode : mode & ~S_IRWXG);
}
