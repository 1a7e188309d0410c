// The shared library's own translation unit; everything it exports comes from exports.cpp.
