/* log_collector.c: stands in for the unit's system logger at a /dev/log socket.
 * Every datagram is appended to the output file as one line, <PRI> prefix kept, flushed at once,
 * so a test can read what the process under test logged the moment it has exited.
 * Usage: log_collector SOCKET OUTFILE. SIGTERM drains what is queued, then ends. */
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

static volatile sig_atomic_t stopping = 0;

static void on_term(int sig)
{
    (void)sig;
    stopping = 1;
}

static void write_line(FILE *out, char *buf, ssize_t len)
{
    while (len > 0 && (buf[len - 1] == '\n' || buf[len - 1] == '\0'))
        --len;
    for (ssize_t i = 0; i < len; ++i)
        if (buf[i] == '\n')
            buf[i] = ' ';
    fwrite(buf, 1, (size_t)len, out);
    fputc('\n', out);
    fflush(out);
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s SOCKET OUTFILE\n", argv[0]);
        return 2;
    }
    struct sockaddr_un addr;
    memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    if (strlen(argv[1]) >= sizeof(addr.sun_path)) {
        fprintf(stderr, "log_collector: socket path too long\n");
        return 2;
    }
    strcpy(addr.sun_path, argv[1]);
    FILE *out = fopen(argv[2], "a");
    if (!out) {
        perror("log_collector: output");
        return 1;
    }
    int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    if (fd < 0) {
        perror("log_collector: socket");
        return 1;
    }
    unlink(argv[1]);
    if (bind(fd, (struct sockaddr *)&addr, sizeof(addr)) != 0) {
        perror("log_collector: bind");
        return 1;
    }
    chmod(argv[1], 0666);
    int rcvbuf = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof(rcvbuf));

    struct sigaction sa;
    memset(&sa, 0, sizeof(sa));
    sa.sa_handler = on_term; /* no SA_RESTART: recv returns EINTR */
    sigaction(SIGTERM, &sa, NULL);
    sigaction(SIGINT, &sa, NULL);

    static char buf[65536];
    while (!stopping) {
        ssize_t n = recv(fd, buf, sizeof(buf), 0);
        if (n >= 0)
            write_line(out, buf, n);
        else if (errno != EINTR)
            break;
    }
    /* What the logging process sent before it ended is already queued: take all of it. */
    for (;;) {
        ssize_t n = recv(fd, buf, sizeof(buf), MSG_DONTWAIT);
        if (n < 0)
            break;
        write_line(out, buf, n);
    }
    fclose(out);
    unlink(argv[1]);
    return 0;
}
