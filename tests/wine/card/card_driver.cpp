// The simulated capture card's kernel-mode driver. It creates the card devices, answers the
// kernel-streaming property requests of the register property set through each device's Chip,
// takes the harness's private requests, and completes the requests that a fault made pending
// from a thread of its own, or cancels them when their callers ask. Loaded by the service manager
// as a kernel-driver service.

// MinGW's DDK headers define these two with a C-style static inline body that clashes, in C++,
// with the compiler intrinsics header's own; keep the intrinsics header's out of the way.
#define __INTRINSIC_DEFINED_InterlockedBitTestAndSet
#define __INTRINSIC_DEFINED_InterlockedBitTestAndReset
#include <ntddk.h>

#include "card_chip.h"

namespace {

// IOCTL_KS_PROPERTY: FILE_DEVICE_KS, function 0, METHOD_NEITHER, FILE_ANY_ACCESS.
constexpr ULONG KS_PROPERTY_IOCTL = 0x002F0003;

constexpr const WCHAR* DEVICE_NAMES[CARD_DEVICE_COUNT] = {
    L"\\Device\\QN520Card0", L"\\Device\\QN520Card1", L"\\Device\\QN520Card2",
    L"\\Device\\QN520Card3"};
constexpr const WCHAR* LINK_NAMES[CARD_DEVICE_COUNT] = {
    L"\\DosDevices\\QN520Card0", L"\\DosDevices\\QN520Card1", L"\\DosDevices\\QN520Card2",
    L"\\DosDevices\\QN520Card3"};

struct DeviceExtension {
    ULONG index;
};

// A property request answered pending, completed by the completion thread once due, or by the
// cancel routine.
struct PendingRequest {
    PIRP irp;
    ULONG device;
    uint32_t sequence;
    NTSTATUS status;
    ULONG information;
    int64_t due;      // performance counter; 0 while held for CARD_IOCTL_FINISH
    bool cancellable; // it has a cancel routine (all but CARD_PEND_STUCK)
};
constexpr ULONG PENDING_CAPACITY = 16;

// Everything below is guarded by `lock`: the dispatch routines and the completion thread race.
KSPIN_LOCK lock;
Chip chips[CARD_DEVICE_COUNT];
PendingRequest pending[PENDING_CAPACITY];
ULONG pendingCount;
KEVENT wakeCompletion;
int64_t frequency;

int64_t now() {
    return KeQueryPerformanceCounter(nullptr).QuadPart;
}

NTSTATUS complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

// Takes the requests that are due out of the pending list; returns how many, and the time of the
// next one due (0: none waiting on a time).
ULONG takeDue(PendingRequest* due, int64_t* nextDue) {
    ULONG taken = 0;
    *nextDue = 0;
    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    const int64_t t = now();
    for (ULONG i = 0; i < pendingCount;) {
        if (pending[i].due != 0 && pending[i].due <= t) {
            // The cancel routine has been called for it: that routine completes it.
            if (pending[i].cancellable && !IoSetCancelRoutine(pending[i].irp, nullptr)) {
                pending[i++].due = 0;
                continue;
            }
            due[taken++] = pending[i];
            pending[i] = pending[--pendingCount];
            continue;
        }
        if (pending[i].due != 0 && (*nextDue == 0 || pending[i].due < *nextDue))
            *nextDue = pending[i].due;
        ++i;
    }
    for (ULONG i = 0; i < taken; ++i) {
        Chip& chip = chips[due[i].device];
        chip.recordCompletion(due[i].sequence, due[i].status, t);
        --chip.pendingRequests;
    }
    KeReleaseSpinLock(&lock, irql);
    return taken;
}

void NTAPI completionThread(PVOID) {
    for (;;) {
        PendingRequest due[PENDING_CAPACITY];
        int64_t nextDue = 0;
        const ULONG taken = takeDue(due, &nextDue);
        for (ULONG i = 0; i < taken; ++i)
            complete(due[i].irp, due[i].status, due[i].information);
        if (nextDue == 0) {
            KeWaitForSingleObject(&wakeCompletion, Executive, KernelMode, FALSE, nullptr);
            continue;
        }
        // A relative timeout, in 100 ns units, rounded up so a wake is never early.
        const int64_t ticks = nextDue - now();
        LARGE_INTEGER timeout;
        timeout.QuadPart = ticks <= 0 ? 0 : -((ticks * 10000000 + frequency - 1) / frequency);
        KeWaitForSingleObject(&wakeCompletion, Executive, KernelMode, FALSE, &timeout);
    }
}

// Makes every held request due now.
void finishHeld() {
    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    const int64_t t = now();
    for (ULONG i = 0; i < pendingCount; ++i)
        if (pending[i].due == 0)
            pending[i].due = t;
    KeReleaseSpinLock(&lock, irql);
    KeSetEvent(&wakeCompletion, IO_NO_INCREMENT, FALSE);
}

// Completes a cancelled request. IoCancelIrp calls it holding the cancel spin lock; the
// completion thread leaves a request whose cancel routine it could not clear on the list, so the
// request is always found there.
void NTAPI cancelRequest(PDEVICE_OBJECT, PIRP irp) {
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    for (ULONG i = 0; i < pendingCount; ++i) {
        if (pending[i].irp != irp)
            continue;
        Chip& chip = chips[pending[i].device];
        chip.recordCompletion(pending[i].sequence, STATUS_CANCELLED, now());
        --chip.pendingRequests;
        pending[i] = pending[--pendingCount];
        break;
    }
    KeReleaseSpinLock(&lock, irql);
    complete(irp, STATUS_CANCELLED, 0);
}

// Puts a request answered pending on the list, cancellable unless it plays a hung driver.
// Returns STATUS_PENDING, or the status to complete it with now: the list is full, or its caller
// cancelled it before the cancel routine was set.
NTSTATUS holdRequest(ULONG device, PIRP irp, const ChipAnswer& answer, int64_t arrival) {
    const bool cancellable = answer.pendMs != CARD_PEND_STUCK;
    const bool held = answer.pendMs == CARD_PEND_HELD || !cancellable;
    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    NTSTATUS status = STATUS_PENDING;
    if (pendingCount == PENDING_CAPACITY)
        status = answer.status;
    else if (cancellable) {
        IoSetCancelRoutine(irp, cancelRequest);
        // Cancelled already; when IoCancelIrp took the routine itself, it calls it instead.
        if (irp->Cancel && IoSetCancelRoutine(irp, nullptr))
            status = STATUS_CANCELLED;
    }
    if (status == STATUS_PENDING) {
        PendingRequest& slot = pending[pendingCount++];
        slot.irp = irp;
        slot.device = device;
        slot.sequence = answer.sequence;
        slot.status = answer.status;
        slot.information = answer.writeBack ? CHIP_REQUEST_BYTES : 0;
        slot.due = held ? 0 : arrival + static_cast<int64_t>(answer.pendMs) * frequency / 1000;
        slot.cancellable = cancellable;
        ++chips[device].pendingRequests;
    } else {
        chips[device].recordCompletion(answer.sequence, status, now());
    }
    KeReleaseSpinLock(&lock, irql);
    return status;
}

// IOCTL_KS_PROPERTY with METHOD_NEITHER: the request arrives in Type3InputBuffer and the answer
// goes to UserBuffer (the same buffer on Windows; two copies under Wine).
NTSTATUS propertyRequest(ULONG device, PIRP irp, PIO_STACK_LOCATION stack) {
    const auto& parameters = stack->Parameters.DeviceIoControl;
    const void* input = parameters.Type3InputBuffer;
    const ULONG inputLength = input ? parameters.InputBufferLength : 0;
    void* output = irp->UserBuffer;
    const ULONG outputLength = output ? parameters.OutputBufferLength : 0;

    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    const int64_t arrival = now();
    const ChipAnswer answer = chips[device].handle(input, inputLength, outputLength, arrival);
    KeReleaseSpinLock(&lock, irql);

    const ULONG information = answer.writeBack ? CHIP_REQUEST_BYTES : 0;
    if (answer.writeBack)
        memcpy(output, &answer.request, CHIP_REQUEST_BYTES);
    if (answer.pendMs == 0)
        return complete(irp, answer.status, information);
    // Marked before it is on the list, where another thread may complete it at once.
    IoMarkIrpPending(irp);
    const NTSTATUS status = holdRequest(device, irp, answer, arrival);
    if (status == STATUS_PENDING)
        KeSetEvent(&wakeCompletion, IO_NO_INCREMENT, FALSE);
    else
        complete(irp, status, status == STATUS_CANCELLED ? 0 : information);
    return STATUS_PENDING;
}

// The harness's private requests (METHOD_BUFFERED).
NTSTATUS privateRequest(ULONG device, PIRP irp, PIO_STACK_LOCATION stack) {
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG inputLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    const ULONG outputLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    void* buffer = irp->AssociatedIrp.SystemBuffer;
    Chip& chip = chips[device];
    NTSTATUS status = STATUS_SUCCESS;
    ULONG_PTR information = 0;

    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    const int64_t t = now();
    if (code == CARD_IOCTL_PRESS && inputLength >= sizeof(CardKey))
        chip.press(*static_cast<const CardKey*>(buffer), t, frequency);
    else if (code == CARD_IOCTL_RELEASE)
        chip.release();
    else if (code == CARD_IOCTL_FAULT && inputLength >= sizeof(CardFault))
        status = chip.armFault(*static_cast<const CardFault*>(buffer))
                     ? STATUS_SUCCESS
                     : STATUS_INSUFFICIENT_RESOURCES;
    else if (code == CARD_IOCTL_POKE && inputLength >= sizeof(CardPoke))
        chip.poke(*static_cast<const CardPoke*>(buffer));
    else if (code == CARD_IOCTL_RESET)
        chip.reset();
    else if (code == CARD_IOCTL_STATE && outputLength >= sizeof(CardState)) {
        chip.state(*static_cast<CardState*>(buffer), t, frequency);
        information = sizeof(CardState);
    } else if (code == CARD_IOCTL_READ_LOG && outputLength >= sizeof(CardLog)) {
        chip.log(*static_cast<CardLog*>(buffer), frequency);
        information = sizeof(CardLog);
    } else if (code != CARD_IOCTL_FINISH)
        status = STATUS_INVALID_DEVICE_REQUEST;
    KeReleaseSpinLock(&lock, irql);

    // A reset must not leave a caller waiting on a request that will never be finished.
    if (code == CARD_IOCTL_FINISH || code == CARD_IOCTL_RESET)
        finishHeld();
    return complete(irp, status, information);
}

NTSTATUS NTAPI dispatchControl(PDEVICE_OBJECT deviceObject, PIRP irp) {
    const ULONG device = static_cast<DeviceExtension*>(deviceObject->DeviceExtension)->index;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (stack->Parameters.DeviceIoControl.IoControlCode == KS_PROPERTY_IOCTL)
        return propertyRequest(device, irp, stack);
    return privateRequest(device, irp, stack);
}

NTSTATUS NTAPI dispatchCreate(PDEVICE_OBJECT deviceObject, PIRP irp) {
    const ULONG device = static_cast<DeviceExtension*>(deviceObject->DeviceExtension)->index;
    KIRQL irql;
    KeAcquireSpinLock(&lock, &irql);
    ++chips[device].opens;
    KeReleaseSpinLock(&lock, irql);
    return complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI dispatchClose(PDEVICE_OBJECT, PIRP irp) {
    return complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS createDevice(PDRIVER_OBJECT driver, ULONG index) {
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, DEVICE_NAMES[index]);
    PDEVICE_OBJECT device = nullptr;
    NTSTATUS status = IoCreateDevice(driver, sizeof(DeviceExtension), &name, FILE_DEVICE_UNKNOWN, 0,
                                     FALSE, &device);
    if (!NT_SUCCESS(status))
        return status;
    static_cast<DeviceExtension*>(device->DeviceExtension)->index = index;
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, LINK_NAMES[index]);
    // Links are permanent: when the host process of an earlier start was ended, no unload
    // removed them, and creating one again over the new device fails (Wine: type mismatch).
    IoDeleteSymbolicLink(&link);
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status))
        IoDeleteDevice(device);
    return status;
}

} // namespace

// No unload routine: the card stays until the prefix's wine server ends, like hardware would, or
// until a test ends its host process.
extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING) {
    LARGE_INTEGER counterFrequency;
    KeQueryPerformanceCounter(&counterFrequency);
    frequency = counterFrequency.QuadPart;
    KeInitializeSpinLock(&lock);
    KeInitializeEvent(&wakeCompletion, SynchronizationEvent, FALSE);
    for (Chip& chip : chips)
        chip.reset();

    driver->MajorFunction[IRP_MJ_CREATE] = dispatchCreate;
    driver->MajorFunction[IRP_MJ_CLOSE] = dispatchClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = dispatchControl;
    for (ULONG i = 0; i < CARD_DEVICE_COUNT; ++i) {
        const NTSTATUS status = createDevice(driver, i);
        if (!NT_SUCCESS(status))
            return status;
    }

    HANDLE thread = nullptr;
    const NTSTATUS status = PsCreateSystemThread(&thread, THREAD_ALL_ACCESS, nullptr, nullptr,
                                                 nullptr, completionThread, nullptr);
    if (NT_SUCCESS(status))
        ZwClose(thread);
    return status;
}
