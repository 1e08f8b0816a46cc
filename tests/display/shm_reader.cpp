// Tries, as whoever runs it, to attach a System V shared-memory segment by its id
// and read it, as a hostile local user would the window's pixels. Prints
//   read <bytes> <non-zero bytes>     and exits 0 when it could,
//   refused <reason>                  and exits 1 when it could not.
// Usage: shm_reader <segment id>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shm_reader <segment id>\n");
        return 2;
    }
    const int id = std::atoi(argv[1]);
    shmid_ds about{};
    if (shmctl(id, IPC_STAT, &about) != 0) {
        std::printf("refused %s\n", std::strerror(errno));
        return 1;
    }
    void* at = shmat(id, nullptr, SHM_RDONLY);
    if (at == reinterpret_cast<void*>(-1)) {
        std::printf("refused %s\n", std::strerror(errno));
        return 1;
    }
    const auto* bytes = static_cast<const unsigned char*>(at);
    size_t nonZero = 0;
    for (size_t i = 0; i < about.shm_segsz; ++i) nonZero += bytes[i] != 0 ? 1 : 0;
    std::printf("read %zu %zu\n", static_cast<size_t>(about.shm_segsz), nonZero);
    shmdt(at);
    return 0;
}
