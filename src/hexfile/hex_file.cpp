// The hex file writer lands here.
namespace quirlwerk::hexfile {
} // namespace quirlwerk::hexfile
