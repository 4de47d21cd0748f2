// On the include path of the libraries above the window backend, in front of
// the system's headers: the handlers see no window system.
#error "Windows headers belong in the backend and platform folders (win32/, windows/)"
