// A shared library that is no module: it has none of the server exports.
extern "C" int notAModule() {
    return 1;
}
