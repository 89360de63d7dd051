#!/usr/bin/env python3
"""A folder that stops answering, as a share does whose server went away.

Usage: hangfs.py BACKING MOUNTPOINT FLAG
Mirrors BACKING at MOUNTPOINT, read-only. While the file FLAG exists, every
look-up, listing and read in the mirror waits until it is gone again, and
FLAG.held tells that one is waiting. Attributes are never cached, so every
query reaches this program.
"""
import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class HangingMirror(Operations):
    def __init__(self, backing, flag):
        self.backing = backing
        self.flag = flag

    def _path(self, path):
        while os.path.exists(self.flag):
            open(self.flag + ".held", "w").close()
            time.sleep(0.05)
        return os.path.join(self.backing, path.lstrip("/"))

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._path(path))
        except OSError as e:
            raise FuseOSError(e.errno)
        keys = ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid", "st_atime", "st_mtime", "st_ctime")
        return {key: getattr(st, key) for key in keys}

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(self._path(path))

    def access(self, path, amode):
        if not os.access(self._path(path), amode):
            raise FuseOSError(errno.EACCES)

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._path(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        self._path(path)
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def release(self, path, fh):
        os.close(fh)

    def statfs(self, path):
        st = os.statvfs(self._path(path))
        keys = ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_flag",
                "f_frsize", "f_namemax")
        return {key: getattr(st, key) for key in keys}


if __name__ == "__main__":
    backing, mountpoint, flag = sys.argv[1:4]
    FUSE(HangingMirror(backing, flag), mountpoint, foreground=True, ro=True, nothreads=False,
         attr_timeout=0, entry_timeout=0, negative_timeout=0)
