// The data library holds embedded files only; this unit exists because a
// library needs at least one source of its own.
namespace tesmara::data {
int libraryTag()
{
    return 1;
}
} // namespace tesmara::data
